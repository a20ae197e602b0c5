#pragma once

#include "tools/SourceLine.h"

#include <string_view>

// Reads a NIST line list in any of its three forms, told apart by the first row that is not a
// comment or a rule: '|' marks the text table, a tab the tab-separated export, else CSV.
class NistReader {
public:
    static ReadResult Read(std::string_view content, const ReadContext& context,
                           const LineSink& sink);

    // True when that first row holds a NIST column name ("Observed", "Ritz", "obs_wl_air(nm)"),
    // as a header row of any of the three forms does and a plain CSV list's does not.
    static bool Recognises(std::string_view content);
};
