#include "analysis/LineDetails.h"

#include "database/AtomicDataFile.h"
#include "database/DisplayWaveData.h"
#include "database/ElementFacts.h"
#include "database/SpectrumSettings.h"
#include "database/WavetableFile.h"
#include "framework/NumberFormat.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>

namespace {

// The shortest fixed-point text of a number stored as a float: 0.0004, not 4e-04 or
// 0.0004000000190.
std::string FloatText(double value)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                      static_cast<float>(value), std::chars_format::fixed);
    return std::string(buffer.data(), result.ptr);
}

// Transition probabilities span many decades: three digits and the power, as 5.57e+07.
std::string AkiText(double aki)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), aki,
                                      std::chars_format::scientific, 2);
    return std::string(buffer.data(), result.ptr);
}

// J from g = 2J + 1: whole (1) or a half (5/2).
std::string JText(uint16_t weight)
{
    const int twiceJ = weight - 1;
    return twiceJ % 2 == 0 ? std::to_string(twiceJ / 2) : std::to_string(twiceJ) + "/2";
}

void AppendPart(std::string& row, const std::string& part, const char* separator = " ")
{
    if (!part.empty()) {
        row += row.empty() ? part : separator + part;
    }
}

// "5d10.6s.6p 3P* J=1 E=39412.237 cm⁻¹"; empty when the level is not known at all.
std::string LevelText(const std::string& configuration, const std::string& term, uint16_t weight,
                      double energy)
{
    std::string text;
    AppendPart(text, configuration);
    AppendPart(text, term);
    if (weight > 0) {
        AppendPart(text, "J=" + JText(weight));
    }
    if (std::isfinite(energy)) {
        AppendPart(text, "E=" + FormatShortest(energy) + " cm\u207B\u00B9");
    }
    return text;
}

void AddRow(std::vector<std::string>& rows, const std::string& label, const std::string& text)
{
    if (!text.empty()) {
        rows.push_back(label + text);
    }
}

void AddAtomicRows(std::vector<std::string>& rows, const AtomicLine& atomic)
{
    AddRow(rows, "Lower level ",
           LevelText(atomic.lowerConfiguration, atomic.lowerTerm, atomic.lowerWeight,
                     atomic.lowerEnergy));
    AddRow(rows, "Upper level ",
           LevelText(atomic.upperConfiguration, atomic.upperTerm, atomic.upperWeight,
                     atomic.upperEnergy));
    std::string transition;
    if (std::isfinite(atomic.aki)) {
        transition = "Aki " + AkiText(atomic.aki) + " s\u207B\u00B9";
    }
    if (atomic.upperWeight > 0) {
        AppendPart(transition, "gk " + std::to_string(atomic.upperWeight), ", ");
    }
    AddRow(rows, "", transition);
    std::string wavelength = atomic.ritz ? "Ritz wavelength" : "Observed wavelength";
    if (std::isfinite(atomic.uncertainty)) {
        wavelength += ", uncertainty \u00B1" + FloatText(atomic.uncertainty) + " \u00C5";
    }
    rows.push_back(wavelength);
}

std::optional<AtomicLine> AtomicDataOf(const DisplayWaveData& line)
{
    const AtomicDataFile* data = line.table != nullptr ? line.table->AtomicData() : nullptr;
    std::optional<AtomicLine> atomic =
        data != nullptr ? data->Line(line.recordIndex) : std::nullopt;
    return atomic && !atomic->IsEmpty() ? atomic : std::nullopt;
}

// "Mercury, 200.59 u, first ionisation 10.44 eV"; empty for an element the facts do not know.
std::string ElementText(const ElementFact* fact)
{
    if (fact == nullptr) {
        return {};
    }
    std::string text = fact->name;
    if (fact->mass > 0.0) {
        AppendPart(text, FormatShortest(fact->mass) + " u", ", ");
    }
    if (fact->ionisation > 0.0) {
        AppendPart(text, "first ionisation " + FormatFixed(fact->ionisation, 2) + " eV", ", ");
    }
    return text;
}

// "at 5001.668 Å for v = +100 km/s"
std::string ShiftText(const DisplayWaveData& line, double velocity)
{
    SpectrumSettings spectrum;
    spectrum.velocity = velocity;
    const double shifted = line.record.wavelength * 0.001 * spectrum.Shift();
    return "at " + FormatFixed(shifted, 3) + " \u00C5 for v = " + (velocity > 0.0 ? "+" : "") +
           FormatDefault(velocity) + " km/s";
}

}  // namespace

std::vector<std::string> LineDetailRows(const DisplayWaveData& line, double velocity,
                                        const ElementFacts& facts)
{
    std::vector<std::string> rows;
    if (const std::optional<AtomicLine> atomic = AtomicDataOf(line)) {
        AddAtomicRows(rows, *atomic);
    }
    AddRow(rows, "", ElementText(facts.BySymbol(line.elementName)));
    if (velocity != 0.0 && std::isfinite(velocity)) {
        rows.push_back(ShiftText(line, velocity));
    }
    return rows;
}

std::vector<std::string> LineDetailRows(const DisplayWaveData& line, double velocity)
{
    return LineDetailRows(line, velocity, ElementFacts::Installed());
}
