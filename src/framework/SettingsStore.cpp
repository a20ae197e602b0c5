#include "framework/SettingsStore.h"

#include "framework/AtomicFile.h"
#include "framework/RegistryKey.h"

#include <charconv>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iterator>
#include <pwd.h>
#include <system_error>
#include <unistd.h>
#include <unordered_set>
#include <utility>

namespace {

constexpr std::string_view kFileHeader = "REGEDIT4";
constexpr std::string_view kVersion5Header = "Windows Registry Editor Version 5.00";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::size_t kWrapColumn = 77;
constexpr char kHexDigits[] = "0123456789abcdef";

// Windows compares names case-insensitively. ASCII and the Latin-1 letters U+00C0..U+00DE
// (without U+00D7) cover the names this program meets; folding them keeps the byte length.
std::string FoldCase(std::string_view text)
{
    std::string folded(text);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        const auto c = static_cast<unsigned char>(folded[i]);
        if (c >= 'A' && c <= 'Z') {
            folded[i] = static_cast<char>(c + ('a' - 'A'));
        } else if (c == 0xC3 && i + 1 < folded.size()) {
            const auto next = static_cast<unsigned char>(folded[i + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97) {
                folded[i + 1] = static_cast<char>(next + 0x20);
            }
            if (next >= 0x80 && next <= 0xBF) {
                ++i;
            }
        }
    }
    return folded;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    return FoldCase(a) == FoldCase(b);
}

std::string_view Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string_view ParentOf(std::string_view path)
{
    const auto separator = path.rfind('\\');
    return separator == std::string_view::npos ? std::string_view() : path.substr(0, separator);
}

std::string_view LeafOf(std::string_view path)
{
    const auto separator = path.rfind('\\');
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

bool IsBelowOrSame(std::string_view foldedPath, std::string_view foldedAncestor)
{
    return foldedPath.starts_with(foldedAncestor) && (foldedPath.size() == foldedAncestor.size() ||
                                                      foldedPath[foldedAncestor.size()] == '\\');
}

std::vector<std::string> SplitLines(std::string_view text)
{
    if (text.starts_with(kUtf8Bom)) {
        text.remove_prefix(kUtf8Bom.size());
    }
    std::vector<std::string> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        while (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

// A hex line ending in a backslash goes on in the next, indented line. A line that starts a
// value or a section never continues one, so a damaged line cannot swallow its neighbour.
bool IsContinuation(std::string_view line)
{
    return !Trim(line).empty() && line[0] != '[' && line[0] != '"' && line[0] != '@';
}

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
    if (Trim(text).empty()) {
        return bytes;
    }
    for (std::size_t start = 0;;) {
        const auto comma = text.find(',', start);
        const auto token = Trim(text.substr(start, comma - start));
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
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

struct ParsedLine {
    std::string name;
    std::optional<SettingsStore::Value> value;  // empty: a valid value of a foreign type
};

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

// One logical value line (continuations joined): `"name"=data` or `@=data`.
std::optional<ParsedLine> ParseValueLine(std::string_view line)
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

std::string FormatValue(const std::string& name, const SettingsStore::Value& value)
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

std::string KeyHeader(std::string_view rootName, std::string_view path)
{
    return "[" + std::string(rootName) + (path.empty() ? "" : "\\") + std::string(path) + "]";
}

// A kept line that ends in a backslash was not continued when read; the blank line keeps the
// next line from joining it when the file is read again.
void AppendLine(std::string& text, std::string_view line)
{
    text += line;
    text += Trim(line).ends_with('\\') ? "\n\n" : "\n";
}

void SetError(std::string* error, std::string message)
{
    if (error) {
        *error = std::move(message);
    }
}

std::string EnvironmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string HomeDirectory()
{
    std::string home = EnvironmentValue("HOME");
    if (home.empty()) {
        if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) {
            home = entry->pw_dir;
        }
    }
    return home.empty() ? "." : home;
}

}  // namespace

SettingsStore::SettingsStore(Root root, std::string filePath)
    : m_root(root), m_filePath(std::move(filePath))
{
}

SettingsStore::SettingsStore(Root root) : SettingsStore(root, FilePathFor(root)) {}

std::string SettingsStore::ConfigDirectory()
{
    if (std::string folder = EnvironmentValue("SPEKLA_CONFIG_DIR"); !folder.empty()) {
        return folder;
    }
    // Relative XDG paths are to be ignored, as the XDG base directory rules say.
    const std::filesystem::path xdg = EnvironmentValue("XDG_CONFIG_HOME");
    if (xdg.is_absolute()) {
        return (xdg / "Spekla").string();
    }
    return (std::filesystem::path(HomeDirectory()) / ".config" / "Spekla").string();
}

std::string SettingsStore::FilePathFor(Root root)
{
    return (std::filesystem::path(ConfigDirectory()) / (std::string(RootName(root)) + ".reg"))
        .string();
}

const char* SettingsStore::RootName(Root root)
{
    return root == Root::ClassesRoot ? "HKEY_CLASSES_ROOT" : "HKEY_CURRENT_USER";
}

std::string SettingsStore::NormalizePath(std::string_view path)
{
    std::string normalized;
    while (!path.empty()) {
        const auto end = path.find('\\');
        const auto component = path.substr(0, end);
        if (!component.empty()) {
            normalized += normalized.empty() ? "" : "\\";
            normalized += component;
        }
        path.remove_prefix(end == std::string_view::npos ? path.size() : end + 1);
    }
    return normalized;
}

bool SettingsStore::Load(std::string* error)
{
    Clear();
    std::error_code code;
    if (!std::filesystem::exists(m_filePath, code) && !code) {
        return true;
    }
    std::string text;
    if (!ReadWholeFile(m_filePath, text)) {
        SetError(error, "Cannot read " + m_filePath);
        return false;
    }
    try {
        Parse(text);
    } catch (const std::exception& exception) {
        Clear();
        SetError(error, "Cannot load " + m_filePath + ": " + exception.what());
        return false;
    }
    return true;
}

bool SettingsStore::Save(std::string* error)
{
    try {
        if (!WriteFileAtomically(m_filePath, Serialize(), error)) {
            return false;
        }
    } catch (const std::exception& exception) {
        SetError(error, "Cannot save " + m_filePath + ": " + exception.what());
        return false;
    }
    m_modified = false;
    return true;
}

RegistryKey SettingsStore::CreateKey(std::string_view path)
{
    const std::string normalized = NormalizePath(path);
    if (normalized.empty()) {
        return RegistryKey(*this, normalized);
    }
    if (FindKey(normalized) == nullptr) {
        m_modified = true;
    }
    return RegistryKey(*this, EnsureKey(normalized).path);
}

std::optional<RegistryKey> SettingsStore::OpenKey(std::string_view path)
{
    const std::string normalized = NormalizePath(path);
    if (normalized.empty()) {
        return RegistryKey(*this, normalized);
    }
    if (const Section* section = FindKey(normalized)) {
        return RegistryKey(*this, section->path);
    }
    return std::nullopt;
}

bool SettingsStore::KeyExists(std::string_view path) const
{
    const std::string normalized = NormalizePath(path);
    return normalized.empty() || FindKey(normalized) != nullptr;
}

bool SettingsStore::DeleteKey(std::string_view path)
{
    const std::string normalized = NormalizePath(path);
    if (normalized.empty() || FindKey(normalized) == nullptr) {
        return false;
    }
    const std::string folded = FoldCase(normalized);
    for (auto it = m_sections.begin(); it != m_sections.end();) {
        std::string foldedPath = FoldCase(it->path);
        if (!it->foreign && IsBelowOrSame(foldedPath, folded)) {
            m_keyIndex.erase(foldedPath);
            it = m_sections.erase(it);
        } else {
            ++it;
        }
    }
    m_modified = true;
    return true;
}

std::vector<std::string> SettingsStore::SubKeyNames(std::string_view path) const
{
    std::vector<std::string> names;
    const std::string folded = FoldCase(NormalizePath(path));
    if (!KeyExists(path)) {
        return names;
    }
    // Every parent of a key has a section of its own, so direct children are enough.
    for (const Section& section : m_sections) {
        if (!section.foreign && !section.path.empty() &&
            FoldCase(ParentOf(section.path)) == folded) {
            names.emplace_back(LeafOf(section.path));
        }
    }
    return names;
}

std::vector<std::string> SettingsStore::ValueNames(std::string_view path) const
{
    std::vector<std::string> names;
    if (const Section* section = FindKey(NormalizePath(path))) {
        for (const Entry& entry : section->entries) {
            if (entry.name) {
                names.push_back(*entry.name);
            }
        }
    }
    return names;
}

std::optional<SettingsStore::Value> SettingsStore::GetValue(std::string_view path,
                                                            std::string_view name) const
{
    const Section* section = FindKey(NormalizePath(path));
    if (section == nullptr) {
        return std::nullopt;
    }
    const auto index = FindEntry(*section, name);
    return index ? section->entries[*index].value : std::nullopt;
}

void SettingsStore::SetValue(std::string_view path, std::string_view name, Value value)
{
    PutEntry(EnsureKey(NormalizePath(path)), Entry{std::string(name), std::move(value), {}});
    m_modified = true;
}

bool SettingsStore::DeleteValue(std::string_view path, std::string_view name)
{
    Section* section = FindKey(NormalizePath(path));
    const auto index = section ? FindEntry(*section, name) : std::nullopt;
    if (!index) {
        return false;
    }
    section->entries.erase(section->entries.begin() + static_cast<std::ptrdiff_t>(*index));
    m_modified = true;
    return true;
}

bool SettingsStore::HasValue(std::string_view path, std::string_view name) const
{
    const Section* section = FindKey(NormalizePath(path));
    return section && FindEntry(*section, name);
}

SettingsStore::Section* SettingsStore::FindKey(std::string_view normalizedPath)
{
    const auto found = m_keyIndex.find(FoldCase(normalizedPath));
    return found == m_keyIndex.end() ? nullptr : &*found->second;
}

const SettingsStore::Section* SettingsStore::FindKey(std::string_view normalizedPath) const
{
    const auto found = m_keyIndex.find(FoldCase(normalizedPath));
    return found == m_keyIndex.end() ? nullptr : &*found->second;
}

// Parents are created first, so sections appear parent before child and names keep the case
// of whichever path created them first.
SettingsStore::Section& SettingsStore::EnsureKey(std::string_view normalizedPath)
{
    if (Section* existing = FindKey(normalizedPath)) {
        return *existing;
    }
    Section section;
    if (const auto parent = ParentOf(normalizedPath); !parent.empty()) {
        section.path = EnsureKey(parent).path + "\\";
    }
    section.path += LeafOf(normalizedPath);
    m_sections.push_back(std::move(section));
    m_keyIndex[FoldCase(normalizedPath)] = std::prev(m_sections.end());
    return m_sections.back();
}

std::optional<std::size_t> SettingsStore::FindEntry(const Section& section, std::string_view name)
{
    const std::string folded = FoldCase(name);
    for (std::size_t i = 0; i < section.entries.size(); ++i) {
        const auto& entryName = section.entries[i].name;
        if (entryName && FoldCase(*entryName) == folded) {
            return i;
        }
    }
    return std::nullopt;
}

// Like the registry, an overwritten value keeps the name as first written.
void SettingsStore::PutEntry(Section& section, Entry entry)
{
    if (const auto index = FindEntry(section, *entry.name)) {
        Entry& existing = section.entries[*index];
        existing.value = std::move(entry.value);
        existing.keptText = std::move(entry.keptText);
    } else {
        section.entries.push_back(std::move(entry));
    }
}

void SettingsStore::Clear()
{
    m_sections.clear();
    m_keyIndex.clear();
    m_preamble.clear();
    m_modified = false;
}

void SettingsStore::Parse(const std::string& text)
{
    const std::vector<std::string> lines = SplitLines(text);
    std::size_t i = 0;
    if (!lines.empty() && (Trim(lines[0]) == kFileHeader || Trim(lines[0]) == kVersion5Header)) {
        i = 1;
    }
    Section* current = nullptr;
    while (i < lines.size()) {
        const std::string& line = lines[i++];
        const std::string_view trimmed = Trim(line);
        if (trimmed.empty()) {
            continue;
        }
        if (trimmed.starts_with('[')) {
            current = &StartSection(line);
            continue;
        }
        std::string raw = line;
        std::string logical(trimmed);
        while (logical.ends_with('\\') && i < lines.size() && IsContinuation(lines[i])) {
            logical.pop_back();
            logical += Trim(lines[i]);
            raw += '\n' + lines[i++];
        }
        if (current == nullptr) {
            m_preamble.push_back(std::move(raw));
        } else {
            AddLine(*current, raw, logical);
        }
    }
}

// A header of this root opens (or reopens) its key; anything else is kept verbatim with its lines.
SettingsStore::Section& SettingsStore::StartSection(const std::string& line)
{
    const std::string_view trimmed = Trim(line);
    const std::string_view inner =
        trimmed.ends_with(']') ? trimmed.substr(1, trimmed.size() - 2) : std::string_view();
    const std::string_view root = inner.substr(0, inner.find('\\'));
    if (root.empty() || !EqualsNoCase(root, RootName(m_root))) {
        Section foreign;
        foreign.foreign = true;
        foreign.header = line;
        m_sections.push_back(std::move(foreign));
        return m_sections.back();
    }
    const std::string path = NormalizePath(inner.substr(root.size()));
    Section& section = EnsureKey(path);
    if (!section.hadHeader) {
        // A parent created only because a subkey came first moves to where the file names it.
        const auto it = m_keyIndex.at(FoldCase(path));
        m_sections.splice(m_sections.end(), m_sections, it);
        section.hadHeader = true;
    }
    return section;
}

void SettingsStore::AddLine(Section& section, const std::string& raw, std::string_view logical)
{
    std::optional<ParsedLine> parsed = section.foreign ? std::nullopt : ParseValueLine(logical);
    if (!parsed) {
        section.entries.push_back(Entry{std::nullopt, std::nullopt, raw});
        return;
    }
    const bool known = parsed->value.has_value();
    PutEntry(section, Entry{std::move(parsed->name), std::move(parsed->value), known ? "" : raw});
}

// A key gets a section when it has values, no subkeys, or had one in the file it was loaded
// from; other parents are implied by their subkeys' paths.
std::string SettingsStore::Serialize() const
{
    std::unordered_set<std::string> parents;
    for (const Section& section : m_sections) {
        if (!section.foreign && !section.path.empty()) {
            parents.insert(FoldCase(ParentOf(section.path)));
        }
    }
    std::string text = std::string(kFileHeader) + "\n\n";
    for (const std::string& line : m_preamble) {
        AppendLine(text, line);
    }
    text += m_preamble.empty() ? "" : "\n";
    for (const Section& section : m_sections) {
        const bool isParent = parents.contains(FoldCase(section.path));
        if (!section.foreign && !section.hadHeader && section.entries.empty() && isParent) {
            continue;
        }
        text += section.foreign ? section.header : KeyHeader(RootName(m_root), section.path);
        text += "\n";
        for (const Entry& entry : section.entries) {
            AppendLine(text, entry.value ? FormatValue(*entry.name, *entry.value) : entry.keptText);
        }
        text += "\n";
    }
    return text;
}
