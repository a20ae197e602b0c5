#include "tools/NistReader.h"

#include "tools/CellText.h"
#include "tools/NistColumns.h"
#include "tools/NistDelimitedReader.h"
#include "tools/NistTextReader.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The first line that could be a header row: not blank, not a '#' comment, not a rule.
std::string_view FirstTableLine(std::string_view content)
{
    LineCursor lines(content);
    std::string_view line;
    while (lines.Next(line)) {
        const bool rule = line.find_first_not_of("-=+ \t") == std::string_view::npos;
        if (!IsBlank(line) && line[0] != '#' && !rule) {
            return line;
        }
    }
    return {};
}

char SeparatorOf(std::string_view line)
{
    if (line.find('|') != std::string_view::npos) {
        return '|';
    }
    return line.find('\t') != std::string_view::npos ? '\t' : ',';
}

}  // namespace

ReadResult NistReader::Read(std::string_view content, const ReadContext& context,
                            const LineSink& sink)
{
    const std::string_view first = FirstTableLine(content);
    if (first.empty()) {
        return ReadResult{"no NIST line table in the file (it is empty or all comments)"};
    }
    const char separator = SeparatorOf(first);
    if (separator == '|') {
        return NistTextReader::Read(content, context, sink);
    }
    return NistDelimitedReader::Read(content, separator, context, sink);
}

bool NistReader::Recognises(std::string_view content)
{
    const std::string_view first = FirstTableLine(content);
    const std::vector<std::string> cells = SplitDelimited(first, SeparatorOf(first));
    return std::any_of(cells.begin(), cells.end(), NistColumns::IsKeywordCell);
}
