#include "tools/NistDelimitedReader.h"

#include "tools/CellText.h"
#include "tools/NistColumns.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<std::string> CleanCells(std::string_view line, char separator)
{
    std::vector<std::string> cells = SplitDelimited(line, separator);
    for (std::string& cell : cells) {
        cell = NormaliseText(cell);
        if (cell == "-") {
            cell.clear();  // the exports' mark for a missing value
        }
    }
    return cells;
}

}  // namespace

ReadResult NistDelimitedReader::Read(std::string_view content, char separator,
                                     const ReadContext& context, const LineSink& sink)
{
    ReadResult result;
    NistColumns columns;
    bool haveColumns = false;
    bool everHadColumns = false;
    LineCursor lines(content);
    std::string_view line;
    while (lines.Next(line)) {
        if (IsBlank(line) || line[0] == '#') {
            continue;
        }
        const std::vector<std::string> cells = CleanCells(line, separator);
        if (std::any_of(cells.begin(), cells.end(), NistColumns::IsKeywordCell)) {
            columns = NistColumns::Classify(cells);
            haveColumns = columns.HasWavelength();
            everHadColumns = everHadColumns || haveColumns;
            result.error = columns.MissingSpectrumError(context);
            if (!result.error.empty()) {
                return result;
            }
            continue;
        }
        if (std::all_of(cells.begin(), cells.end(),
                        [](const std::string& c) { return c.empty(); })) {
            continue;
        }
        sink(haveColumns ? columns.MakeLine(cells, context) : SourceLine::Malformed());
    }
    if (!everHadColumns) {
        result.error = "no NIST column names (obs_wl..., ritz_wl...) found";
    }
    return result;
}
