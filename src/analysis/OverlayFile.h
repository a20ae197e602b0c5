#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

// A measured point laid over the graph: a wavelength in Å and a value on the graph's linear
// intensity scale (a value equal to the graph's height reaches the top of the plot).
struct OverlayData {
    double wavelength = 0.0;
    double value = 0.0;
};

// Overlay files: decimal numbers separated by white space (blanks, tabs, LF or CR LF line ends)
// or by commas or semicolons, taken in pairs of wavelength and value. Lines before the first
// number (column titles, a header) are skipped. A lone number at the end is dropped.
class OverlayFile {
public:
    enum class Status { Read, CannotOpen, BadContent };
    // Longer tokens are no numbers, and more points are no measured spectrum: such input is
    // refused rather than read until memory runs out.
    static constexpr size_t kLongestNumber = 64;
    static constexpr size_t kMostPoints = 50'000'000;
    static constexpr size_t kMostHeaderLines = 64;
    static constexpr size_t kLongestLine = 16u * 1024 * 1024;

    struct Result {
        Status status = Status::Read;
        // In ascending order of wavelength; equal wavelengths keep the order of the file.
        std::vector<OverlayData> points;
        size_t headerLines = 0;  // lines skipped before the first number
    };

    // Everything in the file, or nothing at all: a file that cannot be opened, or that holds
    // anything but finite numbers, gives no points.
    static Result Read(const std::string& path);
    static Result Parse(std::istream& in);
};
