#include "graph/GraphSettings.h"

#include "database/TableArray.h"
#include "framework/Limits.h"
#include "framework/NumberFormat.h"
#include "framework/SettingDescriptors.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace {

constexpr std::string_view kGraphWindow = "Software\\Spekla\\Graph Window";
constexpr std::size_t kColourSize = 4;

const GraphSettings kDefaults;

// A colour stored as a 4-byte colour reference.
struct ColourSetting {
    BinarySetting bytes;

    Colour Read(SettingsStore& store, Colour fallback) const
    {
        const auto stored = bytes.Stored(store);
        return stored ? Colour::FromReference(*stored).value_or(fallback) : fallback;
    }
    void Write(SettingsStore& store, Colour colour) const
    {
        bytes.Write(store, colour.ReferenceBytes());
    }
};

constexpr ColourSetting ColourValue(std::string_view name)
{
    return {{kGraphWindow, name, kColourSize}};
}

// A double kept as text and read the way atof reads it. Out of range falls back to the default
// too: a hand-edited 0 line width or range would divide by zero in the plot.
struct TextDoubleSetting {
    StringSetting text;
    double defaultValue;
    DoubleRange limit;

    double Read(SettingsStore& store) const
    {
        const auto stored = text.Stored(store);
        if (!stored) {
            return defaultValue;
        }
        const double value = ParseLeadingDouble(*stored);
        return limit.Contains(value) ? value : defaultValue;
    }
    void Write(SettingsStore& store, double value) const
    {
        text.Write(store, FormatDefault(value));
    }
};

const ColourSetting kLabelColour = ColourValue("Label colour");
const ColourSetting kSummationColour = ColourValue("Summation colour");
const ColourSetting kOverlayColour = ColourValue("Overlay colour");
const FlagSetting kOrderDisplayed[] = {
    {kGraphWindow, "Order 1", kDefaults.orderDisplayed[0]},
    {kGraphWindow, "Order 2", kDefaults.orderDisplayed[1]},
    {kGraphWindow, "Order 3", kDefaults.orderDisplayed[2]},
    {kGraphWindow, "Order 4", kDefaults.orderDisplayed[3]},
    {kGraphWindow, "Order 5", kDefaults.orderDisplayed[4]},
};
const ColourSetting kOrderColours[] = {
    ColourValue("Order 1 Colour"), ColourValue("Order 2 Colour"), ColourValue("Order 3 Colour"),
    ColourValue("Order 4 Colour"), ColourValue("Order 5 Colour"),
};
const TextDoubleSetting kRangeStep{
    {kGraphWindow, "D_Range", ""}, kDefaults.rangeStep, Limits::kRangeStep};
const TextDoubleSetting kLineWidth{
    {kGraphWindow, "Normal Line Width", ""}, kDefaults.lineWidth, Limits::kLineWidth};
const TextDoubleSetting kLinearHeight{
    {kGraphWindow, "Linear Height", ""}, kDefaults.linearHeight, Limits::kGraphHeight};
const TextDoubleSetting kMinimumHeight{
    {kGraphWindow, "Minimum Height", ""}, kDefaults.minimumHeight, Limits::kLowestHeight};
// Stored as the factor a change multiplies by; the dialog shows it as a percentage.
const TextDoubleSetting kHeightFactor{
    {kGraphWindow, "D_Height", ""},
    kDefaults.heightFactor,
    {1.0 + Limits::kHeightChange.Min() / 100.0, 1.0 + Limits::kHeightChange.Max() / 100.0}};
const TextDoubleSetting kRange{
    {kGraphWindow, "Wavelength Range", ""}, kDefaults.range, Limits::kGraphRange};
const DwordSetting kSummationMode{kGraphWindow, "Display Summation", kDefaults.summationMode, 0, 2};
const FlagSetting kDisplayOverlay{kGraphWindow, "Display Overlay", kDefaults.displayOverlay};
const DwordSetting kOverlayStyle{kGraphWindow, "Draw Overlay As", kDefaults.overlayStyle, 0, 2};
const FlagSetting kOverlayOnLineScale{kGraphWindow, "Overlay On Line Scale",
                                      kDefaults.overlayOnLineScale};
const FlagSetting kFitHeight{kGraphWindow, "Fit Height Automatically", kDefaults.fitHeight};
const FlagSetting kUseElementColours{kGraphWindow, "Use Element Colours",
                                     kDefaults.useElementColours};
const FlagSetting kTreatOrderAsRatio{kGraphWindow, "Treat Order As Ratio",
                                     kDefaults.treatOrderAsRatio};
const ColourSetting kElementColourValues[] = {
    ColourValue("Element 0 Colour"), ColourValue("Element 1 Colour"),
    ColourValue("Element 2 Colour"), ColourValue("Element 3 Colour"),
    ColourValue("Element 4 Colour"),
};
const StringSetting kElementNameValues[] = {
    {kGraphWindow, "Element 0 Name", "", GraphSettings::kElementNameLength},
    {kGraphWindow, "Element 1 Name", "", GraphSettings::kElementNameLength},
    {kGraphWindow, "Element 2 Name", "", GraphSettings::kElementNameLength},
    {kGraphWindow, "Element 3 Name", "", GraphSettings::kElementNameLength},
    {kGraphWindow, "Element 4 Name", "", GraphSettings::kElementNameLength},
};

// The synthetic spectrum. A zero resolution, temperature or density (off) lies outside its limit
// and so reads back as the default, which is off too.
const DwordSetting kProfile{kGraphWindow, "Profile", 0, 0, 3};
const TextDoubleSetting kProfileFwhm{
    {kGraphWindow, "Profile FWHM", ""}, kDefaults.spectrum.fwhm, Limits::kProfileWidth};
const TextDoubleSetting kLorentzianFwhm{{kGraphWindow, "Lorentzian FWHM", ""},
                                        kDefaults.spectrum.lorentzianFwhm,
                                        Limits::kProfileWidth};
const TextDoubleSetting kResolution{{kGraphWindow, "Resolution", ""}, 0.0, Limits::kResolution};
const TextDoubleSetting kVelocity{{kGraphWindow, "Velocity", ""}, 0.0, Limits::kVelocity};
const TextDoubleSetting kTemperature{{kGraphWindow, "Temperature", ""}, 0.0, Limits::kTemperature};
const TextDoubleSetting kDensity{{kGraphWindow, "Electron Density", ""}, 0.0, Limits::kDensity};

// Tables are named by their labels; the name must outlive the descriptor built on it.
std::string TableColourName(const TableArray& tables, std::size_t index)
{
    return "Table " + tables.FileAt(index).Label() + " Colour";
}

constexpr std::array<Colour, 6> kTablePalette{Colour{255, 255, 128}, Colour{255, 128, 128},
                                              Colour{128, 128, 255}, Colour{128, 255, 128},
                                              Colour{255, 128, 255}, Colour{128, 255, 255}};

}  // namespace

void GraphSettings::Restore(SettingsStore& store, const TableArray& tables)
{
    labelColour = kLabelColour.Read(store, kDefaults.labelColour);
    summationColour = kSummationColour.Read(store, kDefaults.summationColour);
    overlayColour = kOverlayColour.Read(store, kDefaults.overlayColour);
    for (std::size_t order = 0; order < kOrders; ++order) {
        orderDisplayed[order] = kOrderDisplayed[order].Read(store);
        orderColours[order] = kOrderColours[order].Read(store, kDefaults.orderColours[order]);
    }
    rangeStep = kRangeStep.Read(store);
    lineWidth = kLineWidth.Read(store);
    linearHeight = kLinearHeight.Read(store);
    minimumHeight = kMinimumHeight.Read(store);
    heightFactor = kHeightFactor.Read(store);
    range = kRange.Read(store);
    summationMode = kSummationMode.Read(store);
    displayOverlay = kDisplayOverlay.Read(store);
    overlayStyle = kOverlayStyle.Read(store);
    overlayOnLineScale = kOverlayOnLineScale.Read(store);
    fitHeight = kFitHeight.Read(store);
    useElementColours = kUseElementColours.Read(store);
    treatOrderAsRatio = kTreatOrderAsRatio.Read(store);
    for (std::size_t i = 0; i < kElementColours; ++i) {
        elementColours[i] = kElementColourValues[i].Read(store, kDefaults.elementColours[i]);
        elementNames[i] = kElementNameValues[i].Read(store);
    }
    spectrum.shape = static_cast<LineShape>(kProfile.Read(store));
    spectrum.fwhm = kProfileFwhm.Read(store);
    spectrum.lorentzianFwhm = kLorentzianFwhm.Read(store);
    spectrum.resolution = kResolution.Read(store);
    spectrum.velocity = kVelocity.Read(store);
    spectrum.temperature = kTemperature.Read(store);
    spectrum.density = kDensity.Read(store);
    m_tableColours.clear();
    for (std::size_t index = 0; index < tables.FileCount(); ++index) {
        const std::string name = TableColourName(tables, index);
        m_tableColours.push_back(ColourValue(name).Read(store, DefaultTableColour(index)));
    }
}

void GraphSettings::Save(SettingsStore& store, const TableArray& tables) const
{
    kLabelColour.Write(store, labelColour);
    kSummationColour.Write(store, summationColour);
    kOverlayColour.Write(store, overlayColour);
    for (std::size_t order = 0; order < kOrders; ++order) {
        kOrderDisplayed[order].Write(store, orderDisplayed[order]);
        kOrderColours[order].Write(store, orderColours[order]);
    }
    kRangeStep.Write(store, rangeStep);
    kLineWidth.Write(store, lineWidth);
    kLinearHeight.Write(store, linearHeight);
    kMinimumHeight.Write(store, minimumHeight);
    kHeightFactor.Write(store, heightFactor);
    kRange.Write(store, range);
    kSummationMode.Write(store, summationMode);
    kDisplayOverlay.Write(store, displayOverlay);
    kOverlayStyle.Write(store, overlayStyle);
    kOverlayOnLineScale.Write(store, overlayOnLineScale);
    kFitHeight.Write(store, fitHeight);
    kUseElementColours.Write(store, useElementColours);
    kTreatOrderAsRatio.Write(store, treatOrderAsRatio);
    for (std::size_t i = 0; i < kElementColours; ++i) {
        kElementColourValues[i].Write(store, elementColours[i]);
        kElementNameValues[i].Write(store, elementNames[i]);
    }
    kProfile.Write(store, static_cast<uint32_t>(spectrum.shape));
    kProfileFwhm.Write(store, spectrum.fwhm);
    kLorentzianFwhm.Write(store, spectrum.lorentzianFwhm);
    kResolution.Write(store, spectrum.resolution);
    kVelocity.Write(store, spectrum.velocity);
    kTemperature.Write(store, spectrum.temperature);
    kDensity.Write(store, spectrum.density);
    for (std::size_t index = 0; index < tables.FileCount(); ++index) {
        const std::string name = TableColourName(tables, index);
        ColourValue(name).Write(store, TableColour(index));
    }
}

Colour GraphSettings::TableColour(std::size_t tableIndex) const
{
    return tableIndex < m_tableColours.size() ? m_tableColours[tableIndex]
                                              : DefaultTableColour(tableIndex);
}

void GraphSettings::SetTableColour(std::size_t tableIndex, Colour colour)
{
    while (m_tableColours.size() <= tableIndex) {
        m_tableColours.push_back(DefaultTableColour(m_tableColours.size()));
    }
    m_tableColours[tableIndex] = colour;
}

Colour GraphSettings::DefaultTableColour(std::size_t tableIndex)
{
    return tableIndex < kTablePalette.size() ? kTablePalette[tableIndex] : Colour{255, 255, 255};
}

void GraphSettings::IncreaseIntensity()
{
    linearHeight = std::min(linearHeight * heightFactor, Limits::kGraphHeight.Max());
}

void GraphSettings::DecreaseIntensity()
{
    // A minimum height below 10 is allowed in the store but must not reach the plot.
    linearHeight =
        std::max({linearHeight / heightFactor, minimumHeight, Limits::kGraphHeight.Min()});
}

bool GraphSettings::IncreaseRange()
{
    const double wider = std::min(range + rangeStep, Limits::kGraphRange.Max());
    const bool changed = wider != range;
    range = wider;
    return changed;
}

bool GraphSettings::DecreaseRange()
{
    if (range <= 1.0) {
        return false;
    }
    // The last step stops at exactly 1 Å rather than a rounding error below it.
    range = range - rangeStep >= 1.0 ? range - rangeStep : 1.0;
    return true;
}

bool GraphSettings::SetRange(double value)
{
    if (!Limits::kGraphRange.Contains(value)) {
        return false;
    }
    range = value;
    return true;
}

void GraphSettings::FitHeightTo(double tallest)
{
    constexpr double kLowestFitted = 1e-9;
    const double lowest = spectrum.UsesTemperature() ? kLowestFitted : Limits::kGraphHeight.Min();
    linearHeight = std::clamp(tallest / 0.9, lowest, Limits::kGraphHeight.Max());
}

bool GraphSettings::SetHeight(double value)
{
    if (!Limits::kGraphHeight.Contains(value)) {
        return false;
    }
    linearHeight = value;
    return true;
}
