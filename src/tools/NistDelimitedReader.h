#pragma once

#include "tools/SourceLine.h"

#include <string_view>

// Reads the CSV and tab-separated exports of the NIST line output: a row of column names
// (obs_wl_air(nm), ritz_wl_vac(A), intens, line_ref, element, sp_num ...) repeated wherever the
// medium changes, cells often wrapped as ="..." or "...", and "-" or nothing for a missing value.
class NistDelimitedReader {
public:
    static ReadResult Read(std::string_view content, char separator, const ReadContext& context,
                           const LineSink& sink);
};
