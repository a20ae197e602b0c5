#include "tools/NistReader.h"

#include "tools/CellText.h"
#include "tools/NistDelimitedReader.h"
#include "tools/NistTextReader.h"

#include <string>

namespace {

// The first line that could be a header row: not blank, not a '#' comment, not a rule.
std::string FirstTableLine(std::string_view content)
{
    for (const std::string& line : SplitTextLines(content)) {
        const bool rule = line.find_first_not_of("-=+ \t") == std::string::npos;
        if (!IsBlank(line) && line[0] != '#' && !rule) {
            return line;
        }
    }
    return {};
}

}  // namespace

ReadResult NistReader::Read(std::string_view content, const ReadContext& context)
{
    const std::string first = FirstTableLine(content);
    if (first.empty()) {
        return ReadResult{{}, "no NIST line table in the file (it is empty or all comments)"};
    }
    if (first.find('|') != std::string::npos) {
        return NistTextReader::Read(content, context);
    }
    const char separator = first.find('\t') != std::string::npos ? '\t' : ',';
    return NistDelimitedReader::Read(content, separator, context);
}
