#include "tools/XmlPeakReader.h"

#include "framework/StringUtil.h"
#include "tools/CellText.h"
#include "tools/IntensityField.h"
#include "tools/XmlScanner.h"

#include <charconv>
#include <string>

namespace {

// The atomic number in a spectrum id "e26"; 0 when the id is not of that form.
int AtomicNumberOf(const std::string* id)
{
    if (id == nullptr || id->size() < 2 || (*id)[0] != 'e') {
        return 0;
    }
    int number = 0;
    const auto result = std::from_chars(id->data() + 1, id->data() + id->size(), number);
    return result.ec == std::errc() && result.ptr == id->data() + id->size() ? number : 0;
}

std::optional<WavelengthUnit> UnitOf(const std::string& units)
{
    std::string name = ToLower(NormaliseText(units));
    const size_t colon = name.find(':');
    if (colon != std::string::npos) {
        name = name.substr(colon + 1);  // "units:ang"
    }
    if (name == "ang" || name == "angstrom" || name == "a") {
        return WavelengthUnit::kAngstrom;
    }
    if (name == "nm" || name == "nanometer" || name == "nanometre") {
        return WavelengthUnit::kNanometre;
    }
    if (name == "um" || name == "micrometer" || name == "micrometre" || name == "micron") {
        return WavelengthUnit::kMicrometre;
    }
    if (name == "cm-1" || name == "cm^-1" || name == "cm_1") {
        return WavelengthUnit::kWaveNumber;
    }
    return std::nullopt;
}

// A wavelength here is a plain number; anything else marks a damaged attribute.
std::optional<double> WholeNumber(const std::string& text)
{
    const std::string value = NormaliseText(text);
    double number = 0.0;
    const auto result = std::from_chars(value.data(), value.data() + value.size(), number);
    if (value.empty() || result.ec != std::errc() || result.ptr != value.data() + value.size()) {
        return std::nullopt;
    }
    return number;
}

SourceLine PeakLine(const XmlTag& peak, int atomicNumber, const ReadContext& context)
{
    SourceLine line;
    line.atomicNumber = atomicNumber;
    line.stage = context.stage;
    const std::string* units = peak.Attribute("yUnits");
    const auto unit =
        units != nullptr ? UnitOf(*units) : context.unit.value_or(WavelengthUnit::kAngstrom);
    // The intensity may carry NIST's flags ("200*"), but it must start with its number.
    const std::string* x = peak.Attribute("xValue");
    const bool intensityRead = x == nullptr || ParseLeadingNumber(*x).has_value();
    if (!peak.complete || !unit || !intensityRead) {
        line.malformed = true;
        return line;
    }
    line.scale = WavelengthScale{*unit, context.medium.value_or(Medium::kNistConvention)};
    if (x != nullptr) {
        const IntensityField intensity = IntensityField::Parse(*x);
        line.intensityCode = intensity.code;
        line.description = intensity.flags;
    }
    if (const std::string* y = peak.Attribute("yValue")) {
        line.value = WholeNumber(*y);
    }
    return line;
}

}  // namespace

ReadResult XmlPeakReader::Read(std::string_view content, const ReadContext& context)
{
    ReadResult result;
    XmlScanner scanner(content);
    XmlTag tag;
    int atomicNumber = 0;
    bool sawSpectrum = false;
    while (scanner.Next(tag)) {
        if (tag.name == "spectrum" && !tag.closing) {
            sawSpectrum = true;
            atomicNumber = tag.selfClosing ? 0 : AtomicNumberOf(tag.Attribute("id"));
        } else if (tag.name == "spectrum") {
            atomicNumber = 0;
        } else if (tag.name == "peak" && !tag.closing) {
            result.lines.push_back(PeakLine(tag, atomicNumber, context));
        }
    }
    if (!sawSpectrum && result.lines.empty()) {
        result.error = "no <spectrum> or <peak> elements: not a spectrum list";
    }
    return result;
}
