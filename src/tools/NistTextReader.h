#pragma once

#include "tools/NistColumns.h"
#include "tools/SourceLine.h"

#include <string>
#include <string_view>
#include <vector>

// Reads the fixed-width text form of the NIST line output: '|'-separated columns under a block
// of stacked header rows (the later ones often behind '#'), rules of dashes, blank separator
// rows of only '|' and blanks, and header blocks repeated further down (each one replaces the
// columns, so a changed medium or layout is followed). The columns are matched to the header
// words by position: the header row with the most cells splits the table the way the data rows
// do, and the rows above it are laid over it.
class NistTextReader {
public:
    static ReadResult Read(std::string_view content, const ReadContext& context,
                           const LineSink& sink);

private:
    NistTextReader(const ReadContext& context, const LineSink& sink)
        : m_context(context), m_sink(sink)
    {
    }

    void ReadLine(std::string_view line);
    void ReadTableRow(std::string_view body, bool commented);
    void FinishHeader();
    static NistColumns ColumnsFromHeader(const std::vector<std::string>& rows);

    const ReadContext& m_context;
    const LineSink& m_sink;
    ReadResult m_result;
    std::vector<std::string> m_headerRows;  // the block being read; empty when not in one
    NistColumns m_columns;
    bool m_haveColumns = false;
};
