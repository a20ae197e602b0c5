#include "tools/XmlScanner.h"

#include <cctype>
#include <charconv>

namespace {

bool IsBlankChar(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

std::string LocalName(const std::string& name)
{
    const size_t colon = name.find(':');
    return colon == std::string::npos ? name : name.substr(colon + 1);
}

void AppendUtf8(std::string& out, unsigned code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The character an entity body ("amp", "#65", "#x41") stands for; false when unknown.
bool DecodeEntity(std::string_view body, std::string& out)
{
    static constexpr std::pair<std::string_view, char> kNamed[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    for (const auto& [name, character] : kNamed) {
        if (body == name) {
            out += character;
            return true;
        }
    }
    if (body.size() < 2 || body[0] != '#') {
        return false;
    }
    const bool hex = body[1] == 'x' || body[1] == 'X';
    const std::string_view digits = body.substr(hex ? 2 : 1);
    unsigned code = 0;
    const auto result =
        std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
    if (result.ec != std::errc() || result.ptr != digits.data() + digits.size() || code == 0 ||
        code > 0x10FFFF) {
        return false;
    }
    AppendUtf8(out, code);
    return true;
}

std::string DecodeEntities(std::string_view raw)
{
    std::string out;
    for (size_t i = 0; i < raw.size(); ++i) {
        const size_t semicolon = raw[i] == '&' ? raw.find(';', i) : std::string_view::npos;
        if (semicolon != std::string_view::npos &&
            DecodeEntity(raw.substr(i + 1, semicolon - i - 1), out)) {
            i = semicolon;
        } else {
            out += raw[i];  // a stray '&' stays as written
        }
    }
    return out;
}

}  // namespace

const std::string* XmlTag::Attribute(std::string_view name) const
{
    for (const auto& [key, value] : attributes) {
        if (key == name) {
            return &value;
        }
    }
    return nullptr;
}

bool XmlScanner::Next(XmlTag& tag)
{
    while (true) {
        m_pos = m_text.find('<', m_pos);
        if (m_pos == std::string_view::npos) {
            m_pos = m_text.size();
            return false;
        }
        if (!SkipSpecial()) {
            break;
        }
    }
    ++m_pos;
    tag = XmlTag();
    tag.closing = m_pos < m_text.size() && m_text[m_pos] == '/';
    m_pos += tag.closing ? 1 : 0;
    tag.name = LocalName(ReadName());
    ReadAttributes(tag);
    if (m_pos >= m_text.size() || m_text[m_pos] == '<') {
        tag.complete = false;  // the text or the tag was cut off before its '>'
        return true;
    }
    ++m_pos;  // '>'
    return true;
}

// Skips a comment, processing instruction, CDATA section or declaration at m_pos; false when
// the '<' there opens an ordinary tag.
bool XmlScanner::SkipSpecial()
{
    static constexpr std::pair<std::string_view, std::string_view> kSpecial[] = {
        {"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}, {"<!", ">"}};
    for (const auto& [open, close] : kSpecial) {
        if (m_text.substr(m_pos, open.size()) == open) {
            const size_t end = m_text.find(close, m_pos + open.size());
            m_pos = end == std::string_view::npos ? m_text.size() : end + close.size();
            return true;
        }
    }
    return false;
}

void XmlScanner::ReadAttributes(XmlTag& tag)
{
    while (true) {
        SkipBlanks();
        if (m_pos >= m_text.size()) {
            return;
        }
        const char c = m_text[m_pos];
        if (c == '>' || c == '<') {
            return;
        }
        if (c == '/') {
            tag.selfClosing = true;
            ++m_pos;
            continue;
        }
        std::string name = ReadName();
        if (name.empty()) {
            ++m_pos;  // a character that cannot start a name: step over it
            continue;
        }
        SkipBlanks();
        std::string value;
        if (m_pos < m_text.size() && m_text[m_pos] == '=') {
            ++m_pos;
            SkipBlanks();
            value = DecodeEntities(ReadValue());
        }
        tag.attributes.emplace_back(LocalName(name), std::move(value));
    }
}

std::string XmlScanner::ReadName()
{
    const size_t start = m_pos;
    while (m_pos < m_text.size()) {
        const char c = m_text[m_pos];
        if (IsBlankChar(c) || c == '>' || c == '/' || c == '=' || c == '"' || c == '\'' ||
            c == '<') {
            break;
        }
        ++m_pos;
    }
    return std::string(m_text.substr(start, m_pos - start));
}

std::string XmlScanner::ReadValue()
{
    if (m_pos < m_text.size() && (m_text[m_pos] == '"' || m_text[m_pos] == '\'')) {
        // A value cannot hold '<', so an unclosed quote ends there and the tag is cut off.
        const char quote = m_text[m_pos++];
        const char stops[] = {quote, '<', '\0'};
        const size_t end = m_text.find_first_of(stops, m_pos);
        const size_t stop = end == std::string_view::npos ? m_text.size() : end;
        std::string value(m_text.substr(m_pos, stop - m_pos));
        m_pos = stop < m_text.size() && m_text[stop] == quote ? stop + 1 : stop;
        return value;
    }
    const size_t start = m_pos;
    while (m_pos < m_text.size() && !IsBlankChar(m_text[m_pos]) && m_text[m_pos] != '>' &&
           m_text[m_pos] != '<') {
        ++m_pos;
    }
    return std::string(m_text.substr(start, m_pos - start));
}

void XmlScanner::SkipBlanks()
{
    while (m_pos < m_text.size() && IsBlankChar(m_text[m_pos])) {
        ++m_pos;
    }
}
