#include "tools/NistTextReader.h"

#include "framework/StringUtil.h"
#include "tools/CellText.h"

#include <algorithm>
#include <cctype>

namespace {

// More than any NIST column name needs ("Observed Wavelength Air (Å)").
constexpr size_t kHeaderWords = 200;

// A rule: dashes or equals signs, perhaps with '+' and '|', and nothing else.
bool IsRule(std::string_view text)
{
    return text.find_first_of("-=") != std::string_view::npos &&
           text.find_first_not_of("-=+| \t") == std::string_view::npos;
}

std::vector<std::string> Texts(const std::vector<PlacedCell>& cells)
{
    std::vector<std::string> texts;
    texts.reserve(cells.size());
    for (const PlacedCell& cell : cells) {
        texts.push_back(cell.text);
    }
    return texts;
}

bool AllBlank(const std::vector<std::string>& cells)
{
    return std::all_of(cells.begin(), cells.end(), [](const std::string& c) { return IsBlank(c); });
}

// Data rows hold numbers (wavelengths, energies, "[159855.97]"); header rows never start a
// cell with a digit.
bool HasNumberCell(const std::vector<std::string>& cells)
{
    return std::any_of(cells.begin(), cells.end(), [](const std::string& cell) {
        const size_t pos = cell.find_first_not_of(" \t[(");
        return pos != std::string::npos && std::isdigit(static_cast<unsigned char>(cell[pos]));
    });
}

}  // namespace

ReadResult NistTextReader::Read(std::string_view content, const ReadContext& context,
                                const LineSink& sink)
{
    NistTextReader reader(context, sink);
    LineCursor lines(content);
    std::string_view line;
    while (lines.Next(line)) {
        reader.ReadLine(line);
        if (!reader.m_result.error.empty()) {
            return reader.m_result;
        }
    }
    reader.FinishHeader();
    if (reader.m_result.error.empty() && !reader.m_haveColumns) {
        reader.m_result.error = "no NIST table header (Observed, Ritz) found";
    }
    return std::move(reader.m_result);
}

void NistTextReader::ReadLine(std::string_view line)
{
    const bool commented = !line.empty() && line[0] == '#';
    const std::string_view body = commented ? line.substr(1) : line;
    if (IsBlank(body) || IsRule(body)) {
        FinishHeader();
        return;
    }
    if (body.find('|') == std::string_view::npos) {
        FinishHeader();
        if (!commented && m_haveColumns) {
            m_sink(SourceLine::Malformed());  // not part of any table
        }
        return;
    }
    ReadTableRow(body, commented);
}

void NistTextReader::ReadTableRow(std::string_view body, bool commented)
{
    const std::vector<std::string> cells = Texts(SplitPlaced(body, '|'));
    if (AllBlank(cells)) {
        FinishHeader();
        return;
    }
    if (std::any_of(cells.begin(), cells.end(), NistColumns::IsKeywordCell)) {
        FinishHeader();
        m_headerRows.emplace_back(body);
        return;
    }
    if (!m_headerRows.empty() && !HasNumberCell(cells)) {
        m_headerRows.emplace_back(body);
        return;
    }
    FinishHeader();
    if (commented) {
        return;
    }
    if (!m_haveColumns) {
        m_sink(SourceLine::Malformed());  // a row before any header
        return;
    }
    m_sink(m_columns.MakeLine(cells, m_context));
}

void NistTextReader::FinishHeader()
{
    if (m_headerRows.empty()) {
        return;
    }
    m_columns = ColumnsFromHeader(m_headerRows);
    m_headerRows.clear();
    m_haveColumns = m_columns.HasWavelength();
    m_result.error = m_columns.MissingSpectrumError(m_context);
}

NistColumns NistTextReader::ColumnsFromHeader(const std::vector<std::string>& rows)
{
    std::vector<std::vector<PlacedCell>> placed;
    placed.reserve(rows.size());
    for (const std::string& row : rows) {
        placed.push_back(SplitPlaced(row, '|'));
    }
    const auto finest =
        std::max_element(placed.begin(), placed.end(),
                         [](const auto& a, const auto& b) { return a.size() < b.size(); });
    // The finest row's cells are disjoint and in order, so their middles ascend strictly.
    std::vector<size_t> middles;
    middles.reserve(finest->size());
    for (const PlacedCell& cell : *finest) {
        middles.push_back((cell.begin + cell.end) / 2);
    }
    // Each column takes the words of every header cell over its middle. One sweep per row over
    // cells and middles together: a row reaches only the columns under its own width.
    std::vector<std::string> headers(middles.size());
    for (const auto& row : placed) {
        size_t column = 0;
        for (const PlacedCell& cell : row) {
            const size_t end = std::max(cell.end, cell.begin + 1);
            while (column < middles.size() && middles[column] < cell.begin) {
                ++column;
            }
            // A cell over many columns lends each only its first words, so that a wide cell
            // with a long text costs its length once, not once per column.
            const std::string_view words = std::string_view(cell.text).substr(0, kHeaderWords);
            for (size_t c = column; c < middles.size() && middles[c] < end; ++c) {
                headers[c] += ' ';
                headers[c] += words;
            }
        }
    }
    return NistColumns::Classify(headers);
}
