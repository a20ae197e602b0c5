#pragma once

#include "tools/ImportOptions.h"

#include <string>
#include <vector>

// The command line of spekla-import: options as "--name value" or "--name=value", then the
// input files ("--" ends the options).
class ImportCommandLine {
public:
    // Reads `arguments` (without the program name) into `options`. False, with a message in
    // `error`, on bad usage: an unknown option, a bad value, or a missing --into, --table or file.
    static bool Parse(const std::vector<std::string>& arguments, ImportOptions& options,
                      std::string& error);

    // The text --help prints.
    static std::string Usage();
};
