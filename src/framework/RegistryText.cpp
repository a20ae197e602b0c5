#include "framework/RegistryText.h"

#include "framework/StringUtil.h"

#include <charconv>

namespace {

constexpr std::size_t kWrapColumn = 77;
constexpr char kHexDigits[] = "0123456789abcdef";

// Reads a quoted name or string at text[pos], leaving pos after the closing quote. Besides the
// registry's \\ and \" this store writes \n and \r, so a line break cannot split a line; any
// other backslash is kept as written, as hand-edited paths such as "C:\temp" mean it.
std::optional<std::string> ParseQuoted(std::string_view text, std::size_t& pos)
{
    if (pos >= text.size() || text[pos] != '"') {
        return std::nullopt;
    }
    std::string result;
    for (++pos; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '"') {
            ++pos;
            return result;
        }
        if (c != '\\') {
            result += c;
            continue;
        }
        if (++pos == text.size()) {
            break;
        }
        const char next = text[pos];
        if (next == 'n' || next == 'r') {
            result += next == 'n' ? '\n' : '\r';
        } else {
            if (next != '\\' && next != '"') {
                result += '\\';
            }
            result += next;
        }
    }
    return std::nullopt;
}

template <typename Number>
std::optional<Number> ParseHexNumber(std::string_view digits, std::size_t maxDigits)
{
    Number number{};
    if (digits.empty() || digits.size() > maxDigits) {
        return std::nullopt;
    }
    const auto [end, status] =
        std::from_chars(digits.data(), digits.data() + digits.size(), number, 16);
    if (status != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return number;
}

// "0c,00, 1f" with an optional trailing comma; empty text is zero bytes.
std::optional<std::vector<std::uint8_t>> ParseHexBytes(std::string_view text)
{
    std::vector<std::uint8_t> bytes;
    if (RegistryText::Trim(text).empty()) {
        return bytes;
    }
    for (std::size_t start = 0;;) {
        const auto comma = text.find(',', start);
        const auto token = RegistryText::Trim(text.substr(start, comma - start));
        if (token.empty() && comma == std::string_view::npos && !bytes.empty()) {
            break;
        }
        const auto byte = ParseHexNumber<std::uint8_t>(token, 2);
        if (!byte) {
            return std::nullopt;
        }
        bytes.push_back(*byte);
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    return bytes;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() &&
           EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::optional<SettingsStore::Value> ParseData(std::string_view data)
{
    if (data.starts_with('"')) {
        std::size_t pos = 0;
        auto text = ParseQuoted(data, pos);
        if (text && pos == data.size()) {
            return SettingsStore::Value(std::move(*text));
        }
    } else if (StartsWithNoCase(data, "dword:")) {
        if (auto number = ParseHexNumber<std::uint32_t>(data.substr(6), 8)) {
            return SettingsStore::Value(*number);
        }
    } else if (StartsWithNoCase(data, "hex:")) {
        if (auto bytes = ParseHexBytes(data.substr(4))) {
            return SettingsStore::Value(std::move(*bytes));
        }
    }
    return std::nullopt;
}

std::string Quote(std::string_view text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"') {
            quoted += '\\';
            quoted += c;
        } else if (c == '\n' || c == '\r') {
            quoted += c == '\n' ? "\\n" : "\\r";
        } else {
            quoted += c;
        }
    }
    return quoted + '"';
}

void AppendHexByte(std::string& out, std::uint8_t byte)
{
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
}

void AppendDword(std::string& line, std::uint32_t number)
{
    line += "dword:";
    for (int shift = 24; shift >= 0; shift -= 8) {
        AppendHexByte(line, static_cast<std::uint8_t>(number >> shift));
    }
}

// Wraps as regedit does: after the comma that reaches column 77, on a line indented by two.
void AppendHex(std::string& line, const std::vector<std::uint8_t>& bytes)
{
    line += "hex:";
    std::size_t column = line.size();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        AppendHexByte(line, bytes[i]);
        if (i + 1 == bytes.size()) {
            break;
        }
        line += ',';
        column += 3;
        if (column >= kWrapColumn) {
            line += "\\\n  ";
            column = 2;
        }
    }
}

}  // namespace

std::string_view RegistryText::Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A hex line ending in a backslash goes on in the next, indented line. A line that starts a
// value or a section never continues one, so a damaged line cannot swallow its neighbour.
bool RegistryText::IsContinuation(std::string_view line)
{
    return !Trim(line).empty() && line[0] != '[' && line[0] != '"' && line[0] != '@';
}

// One logical value line (continuations joined): `"name"=data` or `@=data`.
std::optional<RegistryText::ParsedLine> RegistryText::ParseValueLine(std::string_view line)
{
    ParsedLine parsed;
    std::size_t pos = 1;
    if (line.starts_with('"')) {
        pos = 0;
        auto name = ParseQuoted(line, pos);
        if (!name) {
            return std::nullopt;
        }
        parsed.name = std::move(*name);
    } else if (!line.starts_with('@')) {
        return std::nullopt;
    }
    auto data = Trim(line.substr(pos));
    if (!data.starts_with('=')) {
        return std::nullopt;
    }
    data = Trim(data.substr(1));
    parsed.value = ParseData(data);
    if (parsed.value) {
        return parsed;
    }
    // hex(2), hex(7), hex(b), ...: kept verbatim under their name.
    const auto close = data.find("):");
    if (StartsWithNoCase(data, "hex(") && close != std::string_view::npos &&
        ParseHexNumber<std::uint32_t>(data.substr(4, close - 4), 8) &&
        ParseHexBytes(data.substr(close + 2))) {
        return parsed;
    }
    return std::nullopt;
}

std::string RegistryText::FormatValue(const std::string& name, const SettingsStore::Value& value)
{
    std::string line = name.empty() ? "@=" : Quote(name) + "=";
    if (const auto* number = std::get_if<std::uint32_t>(&value)) {
        AppendDword(line, *number);
    } else if (const auto* text = std::get_if<std::string>(&value)) {
        line += Quote(*text);
    } else {
        AppendHex(line, std::get<std::vector<std::uint8_t>>(value));
    }
    return line;
}
