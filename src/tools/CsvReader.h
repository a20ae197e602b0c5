#pragma once

#include "tools/SourceLine.h"

#include <string_view>

// Reads a plain line list: a header row naming the columns (wavelength, element, ion,
// intensity, description, reference; any order, any case, others ignored), then one line per
// row, separated by tabs when the header holds one, else by commas. Lines starting with '#' are
// comments. Only the wavelength column is required: a missing element or ion column is taken
// from --spectrum (and --stage). An intensity may carry flags ("250bl"); they become the
// description when the description column is empty.
class CsvReader {
public:
    static ReadResult Read(std::string_view content, const ReadContext& context,
                           const LineSink& sink);
};
