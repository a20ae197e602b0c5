#include "tools/NistColumns.h"

#include "framework/StringUtil.h"
#include "tools/CellText.h"
#include "tools/IntensityField.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <utility>

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

// A header's name before its unit or level: "ei" of "Ei(cm-1)", "conf" of "conf_i".
std::string_view Stem(std::string_view lower)
{
    return lower.substr(0, lower.find_first_of(" (_"));
}

// The cell of `column`; empty when the list has no such column or the row stops before it.
std::string_view Cell(const std::vector<std::string>& cells, int column)
{
    return column >= 0 && static_cast<size_t>(column) < cells.size()
               ? std::string_view(cells[static_cast<size_t>(column)])
               : std::string_view();
}

double Number(std::string_view text)
{
    return ParseLeadingNumber(text).value_or(NAN);
}

// "[159855.97]" (theoretical) and "77286.86?" keep their number; "12345.6+x", relative to a
// level of unknown energy, says nothing of the energy itself.
double Energy(std::string_view text)
{
    for (size_t plus = text.find('+'); plus != std::string_view::npos;
         plus = text.find('+', plus + 1)) {
        const size_t next = text.find_first_not_of(' ', plus + 1);
        if (next != std::string_view::npos &&
            std::isalpha(static_cast<unsigned char>(text[next]))) {
            return NAN;
        }
    }
    return Number(text);
}

uint16_t WeightOf(double g)
{
    return g >= 1.0 && g <= 65535.0 && g == std::floor(g) ? static_cast<uint16_t>(g) : 0;
}

// 2J + 1 for one J ("3", "5/2", "3/2?"); 0 for a list of them ("1/2,3/2") or nothing.
uint16_t WeightOfJ(std::string_view text)
{
    const std::string j = NormaliseText(text);
    const char* at = j.data();
    const char* end = j.data() + j.size();
    if (at != end && end[-1] == '?') {
        --end;
    }
    int numerator = 0;
    int denominator = 1;
    auto read = std::from_chars(at, end, numerator);
    if (read.ec == std::errc() && read.ptr != end && *read.ptr == '/') {
        read = std::from_chars(read.ptr + 1, end, denominator);
    }
    if (read.ec != std::errc() || read.ptr != end || numerator < 0 || denominator < 1 ||
        (2 * numerator) % denominator != 0) {
        return 0;
    }
    return WeightOf(2.0 * numerator / denominator + 1.0);
}

// A wavelength in Å, from `value` in `unit`.
double InAngstrom(double value, WavelengthUnit unit)
{
    switch (unit) {
        case WavelengthUnit::kNanometre:
            return value * 10.0;
        case WavelengthUnit::kMicrometre:
            return value * 1e4;
        case WavelengthUnit::kWaveNumber:
            return 1e8 / value;
        case WavelengthUnit::kAngstrom:
            break;
    }
    return value;
}

// An uncertainty `delta` in `unit` of a line at `angstrom`, in Å: a wave number's through
// Δλ = λ²·Δσ.
double UncertaintyInAngstrom(double delta, WavelengthUnit unit, double angstrom)
{
    return unit == WavelengthUnit::kWaveNumber ? angstrom * angstrom * delta * 1e-8
                                               : InAngstrom(delta, unit);
}

struct LevelValues {
    double energy = NAN;
    uint16_t weight = 0;
    std::string configuration, term;
};

// One level of a row; `energy` is its energy's text when the list gives both in one cell.
LevelValues ReadLevel(const NistColumns::Level& level, const std::vector<std::string>& cells,
                      std::string_view energy)
{
    LevelValues values;
    values.energy = Energy(level.energy >= 0 ? Cell(cells, level.energy) : energy);
    values.configuration = NormaliseText(Cell(cells, level.configuration));
    values.term = NormaliseText(Cell(cells, level.term));
    const auto g = ParseLeadingNumber(Cell(cells, level.weight));
    values.weight = g ? WeightOf(*g) : WeightOfJ(Cell(cells, level.j));
    return values;
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
        if (Contains(lower, "unc")) {
            columns.ClassifyUncertainty(lower, index);
        } else if (observed && ritz) {
            continue;  // the Obs-Ritz differences
        } else if (observed && columns.observed < 0) {
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
        } else {
            columns.ClassifyAtomic(lower, index);
        }
    }
    return columns;
}

void NistColumns::ClassifyUncertainty(const std::string& lower, int index)
{
    // "OUnc. (Å)" and "RUnc. (Å)" in text tables, "unc_obs_wl" and "unc_ritz_wl" in exports.
    if (lower.starts_with("ounc") || Contains(lower, "obs")) {
        SetOnce(observedUncertainty, index);
        observedUncertaintyUnit = UnitOf(lower);
    } else if (lower.starts_with("runc") || Contains(lower, "ritz")) {
        SetOnce(ritzUncertainty, index);
        ritzUncertaintyUnit = UnitOf(lower);
    }
}

void NistColumns::ClassifyAtomic(const std::string& lower, int index)
{
    const std::string_view stem = Stem(lower);
    if (stem == "aki") {
        SetOnce(aki, index);
    } else if (stem == "ei" && Contains(lower, "ek")) {
        SetOnce(energies, index);
    } else if (stem == "ei") {
        SetOnce(lowerLevel.energy, index);
    } else if (stem == "ek") {
        SetOnce(upperLevel.energy, index);
    } else if (int* column = LevelColumn(lower)) {
        SetOnce(*column, index);
    }
}

int* NistColumns::LevelColumn(const std::string& lower)
{
    // "Lower level ---- Conf." in text tables; "conf_i", "J_k", "g_i" in exports.
    Level* level = nullptr;
    std::string_view field;
    if (lower.starts_with("lower level") || lower.starts_with("upper level")) {
        level = lower[0] == 'l' ? &lowerLevel : &upperLevel;
        field = std::string_view(lower).substr(lower.rfind(' ') + 1);
    } else if (lower.ends_with("_i") || lower.ends_with("_k")) {
        level = lower.back() == 'i' ? &lowerLevel : &upperLevel;
        field = std::string_view(lower).substr(0, lower.size() - 2);
    } else {
        return nullptr;
    }
    if (field.starts_with("conf")) {
        return &level->configuration;
    }
    if (field == "term") {
        return &level->term;
    }
    if (field == "j") {
        return &level->j;
    }
    return field == "g" ? &level->weight : nullptr;
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
    SetAtomicData(line, cells);
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
        line.atomic.ritz = line.value.has_value();
    }
    SetUncertainty(line, cells, line.atomic.ritz);
}

void NistColumns::SetUncertainty(SourceLine& line, const std::vector<std::string>& cells,
                                 bool fromRitz) const
{
    const auto delta =
        ParseLeadingNumber(Cell(cells, fromRitz ? ritzUncertainty : observedUncertainty));
    if (!line.value || !delta) {
        return;
    }
    // An uncertainty column without a unit has its wavelength's.
    const WavelengthUnit unit =
        (fromRitz ? ritzUncertaintyUnit : observedUncertaintyUnit).value_or(line.scale.unit);
    line.atomic.uncertainty =
        UncertaintyInAngstrom(*delta, unit, InAngstrom(*line.value, line.scale.unit));
}

void NistColumns::SetAtomicData(SourceLine& line, const std::vector<std::string>& cells) const
{
    AtomicLine& atomic = line.atomic;
    atomic.aki = Number(Cell(cells, aki));
    // "105462.7596   -  125329.94": energies are never negative, so the dash only separates.
    const std::string_view both = Cell(cells, energies);
    const size_t dash = both.find('-');
    const std::string_view lowerEnergy = both.substr(0, dash);
    const std::string_view upperEnergy =
        dash == std::string_view::npos ? std::string_view() : both.substr(dash + 1);
    LevelValues lower = ReadLevel(lowerLevel, cells, lowerEnergy);
    LevelValues upper = ReadLevel(upperLevel, cells, upperEnergy);
    atomic.lowerEnergy = lower.energy;
    atomic.lowerWeight = lower.weight;
    atomic.lowerConfiguration = std::move(lower.configuration);
    atomic.lowerTerm = std::move(lower.term);
    atomic.upperEnergy = upper.energy;
    atomic.upperWeight = upper.weight;
    atomic.upperConfiguration = std::move(upper.configuration);
    atomic.upperTerm = std::move(upper.term);
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
