#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A relative-intensity field as line lists write it: a number with line-character flags around
// it ("250bl(Fe II)?*", "5h", "m", "1-"). The flags are what the importer stores as the line's
// description text, as written (see NormaliseText), so that they read as they do at NIST.
struct IntensityField {
    uint8_t code = 0;   // round(10 log10 I) limited to 0..255; 0 when the field holds no number
    std::string flags;  // the text after the number, or the whole field when it starts with none

    static IntensityField Parse(std::string_view text);

    // round(10 log10 intensity) limited to 0..255; 0 for intensities of 1 and below.
    static uint8_t CodeOf(double intensity);
};
