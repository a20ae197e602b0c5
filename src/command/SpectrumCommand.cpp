#include "command/SpectrumCommand.h"

#include "command/CommandArguments.h"
#include "command/CommandNumbers.h"
#include "command/GraphView.h"
#include "database/SpectrumSettings.h"
#include "framework/Limits.h"
#include "framework/StringUtil.h"

#include <optional>
#include <string>
#include <vector>

using CommandArguments::LeadingNumber;
using CommandArguments::Words;
using Icon = CommandResult::Icon;

namespace {

CommandResult Warn(std::string text)
{
    return CommandResult::Warning(std::move(text), Icon::Exclamation);
}

// A number alone: "5000" but not "5000x" or "fast".
std::optional<double> WholeNumber(const std::string& word)
{
    const std::optional<double> value = LeadingNumber(word);
    if (!value || word.find_first_not_of("+-.0123456789eE") != std::string::npos) {
        return std::nullopt;
    }
    return value;
}

bool IsOff(std::string_view argument)
{
    const std::string word = StripBlanks(argument);
    return EqualsIgnoringCase(word, "OFF") || word == "0";
}

// The shape named by a word or its beginning.
std::optional<LineShape> ShapeNamed(const std::string& word)
{
    static constexpr std::pair<const char*, LineShape> kShapes[] = {
        {"STANDARD", LineShape::Standard},
        {"GAUSSIAN", LineShape::Gaussian},
        {"LORENTZIAN", LineShape::Lorentzian},
        {"VOIGT", LineShape::Voigt},
    };
    const std::string upper = ToUpper(word);
    for (const auto& [name, shape] : kShapes) {
        if (!upper.empty() && std::string_view(name).starts_with(upper)) {
            return shape;
        }
    }
    return std::nullopt;
}

CommandResult Profile(std::string_view argument, SpectrumSettings& spectrum)
{
    const std::vector<std::string> words = Words(argument, false);
    const std::optional<LineShape> shape =
        words.size() == 1 ? ShapeNamed(words.front()) : std::nullopt;
    if (!shape) {
        return Warn((words.empty() ? std::string("PROFILE needs a shape")
                                   : "\"" + std::string(argument) + "\" is not a profile") +
                    ": STANDARD, GAUSSIAN, LORENTZIAN or VOIGT.");
    }
    spectrum.shape = *shape;
    return CommandResult::Done();
}

// FWHM a, or for the Voigt profile FWHM g l; a width in Å ends the use of a resolution.
CommandResult Fwhm(std::string_view argument, SpectrumSettings& spectrum)
{
    const std::vector<std::string> words = Words(argument, false);
    std::vector<double> widths;
    for (const std::string& word : words) {
        const std::optional<double> width = WholeNumber(word);
        if (!width || !Limits::kProfileWidth.Contains(*width)) {
            return Warn("A FWHM must be from " + Limits::kProfileWidth.Span() + " \u00C5.");
        }
        widths.push_back(*width);
    }
    if (widths.empty() || widths.size() > 2) {
        return Warn(
            "FWHM takes the width in \u00C5, or for VOIGT the Gaussian and the "
            "Lorentzian widths.");
    }
    spectrum.fwhm = widths[0];
    if (widths.size() == 2) {
        spectrum.lorentzianFwhm = widths[1];
    }
    spectrum.resolution = 0.0;
    return CommandResult::Done();
}

// A number within `limit`, or OFF (0) when `canBeOff`.
CommandResult SetNumber(std::string_view argument, const DoubleRange& limit, bool canBeOff,
                        const std::string& what, double& value)
{
    if (canBeOff && IsOff(argument)) {
        value = 0.0;
        return CommandResult::Done();
    }
    const std::optional<double> number = WholeNumber(StripBlanks(argument));
    if (!number || !limit.Contains(*number)) {
        return Warn(what + " must be from " + limit.Span() + (canBeOff ? ", or OFF." : "."));
    }
    value = *number;
    return CommandResult::Done();
}

}  // namespace

CommandResult SpectrumCommand::Run(int commandId, std::string_view argument, GraphView& graph)
{
    SpectrumSettings spectrum = graph.Spectrum();
    CommandResult result;
    switch (commandId) {
        case CMD_PROFILE:
            result = Profile(argument, spectrum);
            break;
        case CMD_FWHM:
            result = Fwhm(argument, spectrum);
            break;
        case CMD_RESOLUTION:
            result = SetNumber(argument, Limits::kResolution, true, "The resolving power",
                               spectrum.resolution);
            break;
        case CMD_VELOCITY:
            result = SetNumber(argument, Limits::kVelocity, false, "The velocity (km/s)",
                               spectrum.velocity);
            break;
        case CMD_TEMPERATURE:
            result = SetNumber(argument, Limits::kTemperature, true, "The temperature (eV)",
                               spectrum.temperature);
            break;
        default:
            result = SetNumber(argument, Limits::kDensity, true,
                               "The electron density (per cm\u00B3)", spectrum.density);
            break;
    }
    if (result.acted) {
        graph.SetSpectrum(spectrum);
        graph.Repaint();
    }
    return result;
}
