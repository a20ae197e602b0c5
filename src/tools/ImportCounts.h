#pragma once

#include <array>
#include <cstddef>
#include <string>

// Why a line of an input list did not reach the table.
enum class SkipReason {
    kMalformed,       // the row stops before a needed column, or a damaged XML peak
    kNoWavelength,    // no readable positive wavelength or wave number
    kUnknownElement,  // not in the installation's ELEMENTS
    kUnknownStage,    // an ionisation stage that is not I..XIX
};

// What happened to the lines of one input file, or of all of them.
struct ImportCounts {
    static constexpr size_t kReasonCount = 4;

    size_t read = 0;
    std::array<size_t, kReasonCount> skipped{};
    size_t descriptionsFull = 0;  // lines written with description code 0: DESCRIPT was full
    size_t referencesFull = 0;    // the same for REFERENC

    size_t Skipped(SkipReason reason) const { return skipped[static_cast<size_t>(reason)]; }
    size_t Written() const;
    ImportCounts& operator+=(const ImportCounts& other);

    // "287 lines read, 280 written; skipped: 7 no wavelength; ..." With `allReasons` every
    // reason is listed, else only those that occurred.
    std::string Describe(bool allReasons) const;
};
