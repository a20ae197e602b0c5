#include "tools/NistColumns.h"

#include "framework/StringUtil.h"
#include "tools/CellText.h"
#include "tools/IntensityField.h"

#include <algorithm>
#include <string_view>

namespace {

bool Contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

std::optional<Medium> MediumOf(std::string_view lower)
{
    if (Contains(lower, "vac")) {
        return Medium::kVacuum;
    }
    if (Contains(lower, "air")) {
        return Medium::kAir;
    }
    return std::nullopt;
}

// Units as NIST writes them in its text tables ("Air (Å)", "(cm-1)") and exports ("(nm)").
std::optional<WavelengthUnit> UnitOf(std::string_view lower)
{
    if (Contains(lower, "cm-1") || Contains(lower, "cm^-1") || Contains(lower, "cm\u22121")) {
        return WavelengthUnit::kWaveNumber;
    }
    if (Contains(lower, "\u00b5m") || Contains(lower, "\u03bcm") || Contains(lower, "(um)")) {
        return WavelengthUnit::kMicrometre;
    }
    if (Contains(lower, "(nm)") || Contains(lower, " nm")) {
        return WavelengthUnit::kNanometre;
    }
    if (Contains(lower, "\u00c5") || Contains(lower, "(a)") || Contains(lower, "ang")) {
        return WavelengthUnit::kAngstrom;
    }
    return std::nullopt;
}

void SetOnce(int& column, int index)
{
    if (column < 0) {
        column = index;
    }
}

}  // namespace

bool NistColumns::IsKeywordCell(const std::string& text)
{
    const std::string lower = ToLower(NormaliseText(text));
    return lower.starts_with("observed") || lower.starts_with("ritz") || lower.starts_with("obs_w");
}

NistColumns NistColumns::Classify(const std::vector<std::string>& headers)
{
    NistColumns columns;
    for (size_t i = 0; i < headers.size(); ++i) {
        const std::string lower = ToLower(NormaliseText(headers[i]));
        const int index = static_cast<int>(i);
        const bool observed = lower.starts_with("obs") || Contains(lower, "observed");
        const bool ritz = Contains(lower, "ritz");
        if (Contains(lower, "unc") || (observed && ritz)) {
            continue;  // uncertainties and the Obs-Ritz differences
        }
        if (observed && columns.observed < 0) {
            columns.observed = index;
            columns.observedMedium = MediumOf(lower);
            columns.observedUnit = UnitOf(lower);
        } else if (ritz && columns.ritz < 0) {
            columns.ritz = index;
            columns.ritzMedium = MediumOf(lower);
            columns.ritzUnit = UnitOf(lower);
        } else if ((Contains(lower, "rel") && Contains(lower, "int")) ||
                   lower.starts_with("intens")) {
            SetOnce(columns.intensity, index);
        } else if (Contains(lower, "line") && Contains(lower, "ref")) {
            SetOnce(columns.lineReference, index);
        } else if (Contains(lower, "spectrum")) {
            SetOnce(columns.spectrum, index);
        } else if (lower == "element") {
            SetOnce(columns.element, index);
        } else if (lower == "sp_num") {
            SetOnce(columns.spectrumNumber, index);
        }
    }
    return columns;
}

std::string NistColumns::MissingSpectrumError(const ReadContext& context) const
{
    if (!HasWavelength() || HasSpectrum() || context.spectrum) {
        return {};
    }
    return "the line list names no spectrum and neither does the file name; "
           "give it with --spectrum (e.g. --spectrum \"Fe II\")";
}

int NistColumns::LastUsed() const
{
    return std::max({observed, ritz, intensity, lineReference, spectrum, element, spectrumNumber});
}

SourceLine NistColumns::MakeLine(const std::vector<std::string>& cells,
                                 const ReadContext& context) const
{
    SourceLine line;
    if (static_cast<int>(cells.size()) <= LastUsed()) {
        line.malformed = true;
        return line;
    }
    SetWavelength(line, cells, context);
    if (intensity >= 0) {
        const IntensityField field = IntensityField::Parse(cells[intensity]);
        line.intensityCode = field.code;
        line.description = field.flags;
    }
    if (lineReference >= 0) {
        line.reference = NormaliseText(cells[lineReference]);
    }
    SetSpectrum(line, cells, context);
    return line;
}

void NistColumns::SetWavelength(SourceLine& line, const std::vector<std::string>& cells,
                                const ReadContext& context) const
{
    // Where the header says nothing, the options decide, and then NIST's own convention.
    const auto scale = [&context](std::optional<Medium> medium,
                                  std::optional<WavelengthUnit> unit) {
        return WavelengthScale{unit.value_or(context.unit.value_or(WavelengthUnit::kAngstrom)),
                               medium.value_or(context.medium.value_or(Medium::kNistConvention))};
    };
    if (observed >= 0) {
        line.value = ParseLeadingNumber(cells[observed]);
        line.scale = scale(observedMedium, observedUnit);
    }
    if (!line.value && ritz >= 0) {
        line.value = ParseLeadingNumber(cells[ritz]);
        line.scale = scale(ritzMedium, ritzUnit);
    }
}

void NistColumns::SetSpectrum(SourceLine& line, const std::vector<std::string>& cells,
                              const ReadContext& context) const
{
    if (spectrum >= 0) {
        const std::string name = NormaliseText(cells[spectrum]);
        const size_t blank = name.find(' ');
        line.symbol = name.substr(0, blank);
        line.stage = blank == std::string::npos
                         ? 0
                         : SpectrumName::ParseStage(std::string_view(name).substr(blank + 1));
    } else if (element >= 0) {
        line.symbol = NormaliseText(cells[element]);
        line.stage = spectrumNumber >= 0 ? SpectrumName::ParseStage(cells[spectrumNumber]) : 0;
    } else if (context.spectrum) {
        line.symbol = context.spectrum->symbol;
    }
    if (line.stage == 0) {
        line.stage = context.FallbackStage();
    }
}
