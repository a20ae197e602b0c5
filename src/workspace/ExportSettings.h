#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What the export writes and where: kept between runs by the workspace.
struct ExportSettings {
    static constexpr size_t kFileNameLength = 255;
    static constexpr size_t kRangeLength = 9;

    // The words of a typed EXPORT: the file name, then a content word (one with P anywhere
    // chooses the identified peaks, else one with D the lines only, else one with S the curve
    // only, else one with B both, in any case; other words keep the choice), then the range
    // text. Words past the third are
    // ignored; each field is cut to its length.
    void ApplyWords(const std::vector<std::string>& words);

    std::string FileName;
    std::string Range;  // the wavelength range text, at most 9 characters
    // Exactly one of the choices is 1: lines and curve, the curve only, the lines only, or the
    // peaks of the last identification with their candidate lines.
    uint16_t Both = 0;
    uint16_t Summ = 0;
    uint16_t Data = 1;
    uint16_t Peaks = 0;
};
