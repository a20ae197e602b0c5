#include "graph/SpectrumStatus.h"

#include "framework/NumberFormat.h"

#include <vector>

namespace {

std::string Profile(const SpectrumSettings& spectrum)
{
    static const char* const kShapes[] = {"", "Gaussian", "Lorentzian", "Voigt"};
    const std::string shape = kShapes[static_cast<int>(spectrum.shape)];
    if (spectrum.resolution > 0.0) {
        return shape + " R " + FormatShortest(spectrum.resolution);
    }
    if (spectrum.shape == LineShape::Voigt) {
        return shape + " " + FormatDefault(spectrum.fwhm) + " + " +
               FormatDefault(spectrum.lorentzianFwhm) + " \u00C5";
    }
    return shape + " " + FormatDefault(spectrum.fwhm) + " \u00C5";
}

std::string Plasma(const SpectrumSettings& spectrum, std::size_t linesWithoutData)
{
    std::string text = "T " + FormatDefault(spectrum.temperature) + " eV";
    if (spectrum.density > 0.0) {
        text += ", n\u2091 " + FormatDefault(spectrum.density) + " cm\u207B\u00B3";
    }
    if (linesWithoutData > 0) {
        text += " (" + std::to_string(linesWithoutData) +
                (linesWithoutData == 1 ? " line" : " lines") + " in view without atomic data)";
    }
    return text;
}

}  // namespace

std::string SpectrumStatus::Text(const SpectrumSettings& spectrum, std::size_t linesWithoutData)
{
    std::vector<std::string> parts;
    if (spectrum.shape != LineShape::Standard) {
        parts.push_back(Profile(spectrum));
    }
    if (spectrum.velocity != 0.0) {
        parts.push_back("v " + FormatShortest(spectrum.velocity) + " km/s");
    }
    if (spectrum.UsesTemperature()) {
        parts.push_back(Plasma(spectrum, linesWithoutData));
    }
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : "  ") + part;
    }
    return text;
}
