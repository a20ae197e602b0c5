#include "tools/CsvReader.h"

#include "framework/StringUtil.h"
#include "tools/CellText.h"
#include "tools/IntensityField.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace {

enum Field { kWavelength, kElement, kIon, kIntensity, kDescription, kReference, kFieldCount };

constexpr std::array<std::string_view, kFieldCount> kFieldNames = {
    "wavelength", "element", "ion", "intensity", "description", "reference"};

struct CsvLayout {
    std::array<int, kFieldCount> column{-1, -1, -1, -1, -1, -1};
    char separator = ',';
    int lastUsed = -1;
};

CsvLayout LayoutFromHeader(std::string_view header)
{
    CsvLayout layout;
    layout.separator = header.find('\t') != std::string_view::npos ? '\t' : ',';
    const std::vector<std::string> names = SplitDelimited(header, layout.separator);
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string name = ToLower(NormaliseText(names[i]));
        for (size_t field = 0; field < kFieldCount; ++field) {
            if (name == kFieldNames[field] && layout.column[field] < 0) {
                layout.column[field] = static_cast<int>(i);
                layout.lastUsed = std::max(layout.lastUsed, static_cast<int>(i));
            }
        }
    }
    return layout;
}

SourceLine MakeLine(const std::vector<std::string>& cells, const CsvLayout& layout,
                    const ReadContext& context)
{
    SourceLine line;
    if (static_cast<int>(cells.size()) <= layout.lastUsed) {
        line.malformed = true;
        return line;
    }
    const auto cell = [&](Field field) {
        const int column = layout.column[field];
        return column < 0 ? std::string() : NormaliseText(cells[column]);
    };
    line.value = ParseLeadingNumber(cell(kWavelength));
    line.scale = WavelengthScale{context.unit.value_or(WavelengthUnit::kAngstrom),
                                 context.medium.value_or(Medium::kAir)};
    line.symbol = cell(kElement);
    if (line.symbol.empty() && context.spectrum) {
        line.symbol = context.spectrum->symbol;
    }
    line.stage = SpectrumName::ParseStage(cell(kIon));
    if (line.stage == 0) {
        line.stage = context.FallbackStage();
    }
    const IntensityField intensity = IntensityField::Parse(cell(kIntensity));
    line.intensityCode = intensity.code;
    line.description = cell(kDescription);
    if (line.description.empty()) {
        line.description = intensity.flags;
    }
    line.reference = cell(kReference);
    return line;
}

}  // namespace

ReadResult CsvReader::Read(std::string_view content, const ReadContext& context,
                           const LineSink& sink)
{
    ReadResult result;
    std::optional<CsvLayout> layout;
    LineCursor lines(content);
    std::string_view line;
    while (lines.Next(line)) {
        if (IsBlank(line) || line[0] == '#') {
            continue;
        }
        if (!layout) {
            layout = LayoutFromHeader(line);
            if (layout->column[kWavelength] < 0) {
                result.error = "the header row names no \"wavelength\" column";
                return result;
            }
            if (layout->column[kElement] < 0 && !context.spectrum) {
                result.error =
                    "the header row names no \"element\" column; "
                    "give the element with --spectrum";
                return result;
            }
            continue;
        }
        const std::vector<std::string> cells = SplitDelimited(line, layout->separator);
        if (std::all_of(cells.begin(), cells.end(),
                        [](const std::string& c) { return IsBlank(c); })) {
            continue;
        }
        sink(MakeLine(cells, *layout, context));
    }
    if (!layout) {
        result.error = "no header row (the file is empty or all comments)";
    }
    return result;
}
