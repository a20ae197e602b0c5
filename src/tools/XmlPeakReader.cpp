#include "tools/XmlPeakReader.h"

#include "framework/StringUtil.h"
#include "framework/XmlNames.h"
#include "tools/CellText.h"
#include "tools/IntensityField.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <expat.h>
#include <limits>
#include <memory>
#include <string>

namespace {

// The atomic number in a spectrum id "e26"; 0 when the id is not of that form.
int AtomicNumberOf(const XML_Char* id)
{
    const std::string_view text = id == nullptr ? std::string_view() : std::string_view(id);
    if (text.size() < 2 || text[0] != 'e') {
        return 0;
    }
    int number = 0;
    const auto result = std::from_chars(text.data() + 1, text.data() + text.size(), number);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() ? number : 0;
}

std::optional<WavelengthUnit> UnitOf(std::string_view units)
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
std::optional<double> WholeNumber(std::string_view text)
{
    const std::string value = NormaliseText(text);
    double number = 0.0;
    const auto result = std::from_chars(value.data(), value.data() + value.size(), number);
    if (value.empty() || result.ec != std::errc() || result.ptr != value.data() + value.size() ||
        !std::isfinite(number)) {
        return std::nullopt;
    }
    return number;
}

class PeakParser {
public:
    PeakParser(const ReadContext& context, const LineSink& sink) : m_context(context), m_sink(sink)
    {
    }

    ReadResult Parse(std::string_view content);

private:
    static void OnStart(void* self, const XML_Char* name, const XML_Char** attributes)
    {
        static_cast<PeakParser*>(self)->Start(LocalName(name), attributes);
    }
    static void OnEnd(void* self, const XML_Char* name)
    {
        if (LocalName(name) == "spectrum") {
            static_cast<PeakParser*>(self)->m_atomicNumber = 0;
        }
    }

    void Start(std::string_view name, const XML_Char** attributes);
    SourceLine PeakLine(const XML_Char** attributes) const;
    bool EndsInsidePeak(std::string_view content, size_t offset) const;
    std::string ErrorText() const;

    const ReadContext& m_context;
    const LineSink& m_sink;
    XML_Parser m_parser = nullptr;
    int m_atomicNumber = 0;
    bool m_sawElement = false;
    bool m_sawSpectrum = false;
    bool m_sawPeak = false;
};

void PeakParser::Start(std::string_view name, const XML_Char** attributes)
{
    m_sawElement = true;
    if (name == "spectrum") {
        m_sawSpectrum = true;
        m_atomicNumber = AtomicNumberOf(Attribute(attributes, "id"));
    } else if (name == "peak") {
        m_sawPeak = true;
        m_sink(PeakLine(attributes));
    }
}

SourceLine PeakParser::PeakLine(const XML_Char** attributes) const
{
    SourceLine line;
    line.atomicNumber = m_atomicNumber;
    line.stage = m_context.stage;
    const XML_Char* units = Attribute(attributes, "yUnits");
    const auto unit =
        units != nullptr ? UnitOf(units) : m_context.unit.value_or(WavelengthUnit::kAngstrom);
    // The intensity may carry NIST's flags ("200*"), but it must start with its number.
    const XML_Char* x = Attribute(attributes, "xValue");
    if (!unit || (x != nullptr && !ParseLeadingNumber(x))) {
        line.malformed = true;
        return line;
    }
    line.scale = WavelengthScale{*unit, m_context.medium.value_or(Medium::kNistConvention)};
    if (x != nullptr) {
        const IntensityField intensity = IntensityField::Parse(x);
        line.intensityCode = intensity.code;
        line.description = intensity.flags;
    }
    if (const XML_Char* y = Attribute(attributes, "yValue")) {
        line.value = WholeNumber(y);
    }
    return line;
}

// True when the text from `offset`, where expat found the last token unfinished, opens a peak.
bool PeakParser::EndsInsidePeak(std::string_view content, size_t offset) const
{
    if (offset >= content.size() || content[offset] != '<') {
        return false;
    }
    const std::string_view tag = content.substr(offset + 1);
    const size_t nameEnd = tag.find_first_of(" \t\r\n/>");
    const std::string name(tag.substr(0, nameEnd));
    return LocalName(name.c_str()) == "peak";
}

std::string PeakParser::ErrorText() const
{
    return "line " + std::to_string(XML_GetCurrentLineNumber(m_parser)) + ", column " +
           std::to_string(XML_GetCurrentColumnNumber(m_parser) + 1) + ": " +
           XML_ErrorString(XML_GetErrorCode(m_parser));
}

ReadResult PeakParser::Parse(std::string_view content)
{
    const std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser(
        XML_ParserCreate(nullptr), &XML_ParserFree);
    if (!parser) {
        return ReadResult{"out of memory for the XML parser"};
    }
    m_parser = parser.get();
    XML_SetUserData(m_parser, this);
    XML_SetElementHandler(m_parser, &PeakParser::OnStart, &PeakParser::OnEnd);

    // Everything but the end first: an error there is damage inside the file.
    constexpr size_t kChunk = std::numeric_limits<int>::max() / 2;
    for (size_t done = 0; done < content.size();) {
        const size_t size = std::min(kChunk, content.size() - done);
        if (XML_Parse(m_parser, content.data() + done, static_cast<int>(size), XML_FALSE) !=
            XML_STATUS_OK) {
            return ReadResult{ErrorText()};
        }
        done += size;
    }
    if (XML_Parse(m_parser, nullptr, 0, XML_TRUE) != XML_STATUS_OK) {
        // A file that stops short (a cut-off download) keeps the peaks read so far; a peak it
        // cuts through counts as malformed. Any other error at the end is damage.
        const XML_Error code = XML_GetErrorCode(m_parser);
        const bool cutOff =
            m_sawElement && (code == XML_ERROR_UNCLOSED_TOKEN || code == XML_ERROR_NO_ELEMENTS ||
                             code == XML_ERROR_PARTIAL_CHAR);
        if (!cutOff) {
            return ReadResult{ErrorText()};
        }
        const auto offset = XML_GetCurrentByteIndex(m_parser);
        if (code == XML_ERROR_UNCLOSED_TOKEN && offset >= 0 &&
            EndsInsidePeak(content, static_cast<size_t>(offset))) {
            m_sawPeak = true;
            m_sink(SourceLine::Malformed());
        }
    }
    if (!m_sawSpectrum && !m_sawPeak) {
        return ReadResult{"no <spectrum> or <peak> elements: not a spectrum list"};
    }
    return ReadResult{};
}

}  // namespace

ReadResult XmlPeakReader::Read(std::string_view content, const ReadContext& context,
                               const LineSink& sink)
{
    return PeakParser(context, sink).Parse(content);
}
