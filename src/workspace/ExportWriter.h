#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class TableArray;
class TextTables;
struct ExportSettings;

// The export file: the lines around the current wavelength and the graph's summation curve as
// tab-separated text with LF line ends, for a spreadsheet. Each block is its header lines, its
// rows and an empty line; wavelengths are in the units and decimals the list shows.
class ExportWriter {
public:
    // The summation curve as the graph last drew it: samples two pixels apart across a plot
    // `range` Å wide, centred on the current wavelength. No samples when the graph is not shown.
    struct Curve {
        std::vector<double> samples;
        double range = 0.0;
    };

    // Both must outlive the writer; the export completes the display list of `tables`.
    ExportWriter(const TextTables& text, TableArray& tables);

    // The range text in Å: empty unless it is a number from 0 to 10 that the range field would
    // accept (digits and a point only; "" reads as 0).
    static std::optional<double> ParseRange(const std::string& text);
    // The range field's message for a text it refuses.
    static std::string RangeError();
    // The lines exported for a range of `range` Å about `centre`: half of it either side, in
    // 0.001 Å, truncated.
    static std::pair<int32_t, int32_t> Window(int32_t centre, double range);

    // The lines of the display list from `low` to `high` (0.001 Å, both included), as listed
    // now: one row per group of duplicates, one intensity and description column pair per
    // active source, the group's references each once.
    std::string DataBlock(int32_t low, int32_t high) const;
    // One row per sample: the wavelength of sample j, λc - R/2 + j R/n (λc the current
    // wavelength, truncated to 0.001 Å) and the sample in the default number form.
    std::string SummationBlock(const Curve& curve) const;

    // Lists every line within `range` Å about the current line that the idle fill has not
    // reached yet. A line found nearer the target than the cursor's takes the cursor, and the
    // window moves with it.
    void CompleteWindow(double range);
    // The whole file for `settings` and a range of `range` Å, the list completed first.
    std::string Compose(const ExportSettings& settings, double range, const Curve& curve);
    // Composes and replaces `path` atomically. False with the reason in `error` when nothing
    // could be written (no file name, a missing folder, a failed write); an existing file is
    // then left as it was.
    bool Write(const std::string& path, const ExportSettings& settings, double range,
               const Curve& curve, std::string* error);
    // Replaces `path` with `content` under the same checks as Write.
    static bool WriteText(const std::string& path, const std::string& content, std::string* error);

private:
    std::string DataHeader() const;
    std::vector<int> ActiveColumns() const;

    const TextTables& m_text;
    TableArray& m_tables;
};
