#include "framework/SettingsStore.h"

#include "framework/AtomicFile.h"
#include "framework/RegistryKey.h"
#include "framework/RegistryText.h"
#include "framework/StringUtil.h"

#include <charconv>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iterator>
#include <pwd.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::string_view kFileHeader = "REGEDIT4";
constexpr std::string_view kVersion5Header = "Windows Registry Editor Version 5.00";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

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

std::string KeyHeader(std::string_view rootName, std::string_view path)
{
    return "[" + std::string(rootName) + (path.empty() ? "" : "\\") + std::string(path) + "]";
}

// A kept line that ends in a backslash was not continued when read; the blank line keeps the
// next line from joining it when the file is read again.
void AppendLine(std::string& text, std::string_view line)
{
    text += line;
    text += RegistryText::Trim(line).ends_with('\\') ? "\n\n" : "\n";
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
    Clear();
}

SettingsStore::SettingsStore(Root root) : SettingsStore(root, FilePathFor(root)) {}

SettingsStore::SettingsStore(SettingsStore&& other) : m_root(other.m_root)
{
    *this = std::move(other);
}

// The list's nodes move with it, so the keys' links stay valid in the new store.
SettingsStore& SettingsStore::operator=(SettingsStore&& other)
{
    if (this != &other) {
        m_root = other.m_root;
        m_filePath = std::move(other.m_filePath);
        m_sections = std::move(other.m_sections);
        m_rootKey = other.m_rootKey;
        m_preamble = std::move(other.m_preamble);
        m_modified = other.m_modified;
        other.Clear();
    }
    return *this;
}

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
    // Most paths come from handles and are normalized already: one scan, one copy.
    if (!path.starts_with('\\') && !path.ends_with('\\') &&
        path.find("\\\\") == std::string_view::npos) {
        return std::string(path);
    }
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

bool SettingsStore::IsValidKeyPath(std::string_view normalizedPath)
{
    std::size_t depth = normalizedPath.empty() ? 0 : 1;
    std::size_t nameLength = 0;  // in characters: UTF-8 continuation bytes do not count
    for (const char c : normalizedPath) {
        if (c == '\\') {
            nameLength = 0;
            if (++depth > kMaxKeyDepth) {
                return false;
            }
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 &&
                   ++nameLength > kMaxKeyNameLength) {
            return false;
        }
    }
    return depth <= kMaxKeyDepth;
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
    LoadText(text);
    return true;
}

void SettingsStore::LoadText(const std::string& text)
{
    Clear();
    try {
        Parse(text);
    } catch (const std::exception&) {
        Clear();  // only memory exhaustion gets here; an empty store is the safe default
    }
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
    return RegistryKey(*this, FullPath(EnsureKey(normalized)));
}

std::optional<RegistryKey> SettingsStore::OpenKey(std::string_view path)
{
    const std::string normalized = NormalizePath(path);
    if (normalized.empty()) {
        return RegistryKey(*this, normalized);
    }
    if (const Section* section = FindKey(normalized)) {
        return RegistryKey(*this, FullPath(*section));
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
    Section* key = FindKey(NormalizePath(path));
    if (key == nullptr || key == m_rootKey) {
        return false;
    }
    key->parent->children.erase(FoldCase(key->name));
    // A work list, not recursion: the depth comes from the file.
    std::vector<Section*> doomed{key};
    while (!doomed.empty()) {
        Section* section = doomed.back();
        doomed.pop_back();
        for (const auto& [name, child] : section->children) {
            doomed.push_back(child);
        }
        m_sections.erase(section->self);
    }
    m_modified = true;
    return true;
}

std::vector<std::string> SettingsStore::SubKeyNames(std::string_view path) const
{
    std::vector<std::string> names;
    const Section* key = FindKey(NormalizePath(path));
    if (key == nullptr) {
        return names;
    }
    // In file order, which the children's map does not keep.
    for (const Section& section : m_sections) {
        if (section.parent == key) {
            names.push_back(section.name);
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
    EraseEntry(*section, *index);
    m_modified = true;
    return true;
}

bool SettingsStore::HasValue(std::string_view path, std::string_view name) const
{
    const Section* section = FindKey(NormalizePath(path));
    return section && FindEntry(*section, name);
}

// One step per component, each a hash lookup among the key's children.
SettingsStore::Section* SettingsStore::FindKey(std::string_view normalizedPath)
{
    return const_cast<Section*>(std::as_const(*this).FindKey(normalizedPath));
}

const SettingsStore::Section* SettingsStore::FindKey(std::string_view normalizedPath) const
{
    const Section* key = m_rootKey;
    while (key != nullptr && !normalizedPath.empty()) {
        const auto separator = normalizedPath.find('\\');
        const auto found = key->children.find(FoldCase(normalizedPath.substr(0, separator)));
        key = found == key->children.end() ? nullptr : found->second;
        normalizedPath.remove_prefix(separator == std::string_view::npos ? normalizedPath.size()
                                                                         : separator + 1);
    }
    return key;
}

// Parents are created first, so sections appear parent before child and names keep the case
// of whichever path created them first.
SettingsStore::Section& SettingsStore::EnsureKey(std::string_view normalizedPath)
{
    Section* key = m_rootKey;
    if (normalizedPath.empty() && !key->listed) {
        key->listed = true;  // the root's own values start a section, after those there are
        m_sections.splice(m_sections.end(), m_sections, key->self);
    }
    while (!normalizedPath.empty()) {
        const auto separator = normalizedPath.find('\\');
        const std::string_view name = normalizedPath.substr(0, separator);
        auto [found, added] = key->children.try_emplace(FoldCase(name), nullptr);
        if (added) {
            Section child;
            child.name = name;
            child.parent = key;
            found->second = &AddSection(std::move(child));
        }
        key = found->second;
        normalizedPath.remove_prefix(separator == std::string_view::npos ? normalizedPath.size()
                                                                         : separator + 1);
    }
    return *key;
}

SettingsStore::Section& SettingsStore::AddSection(Section section)
{
    m_sections.push_back(std::move(section));
    m_sections.back().self = std::prev(m_sections.end());
    return m_sections.back();
}

std::string SettingsStore::FullPath(const Section& section)
{
    std::vector<const std::string*> names;
    for (const Section* key = &section; key != nullptr && key->parent != nullptr;
         key = key->parent) {
        names.push_back(&key->name);
    }
    std::string path;
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        path += path.empty() ? "" : "\\";
        path += **name;
    }
    return path;
}

std::optional<std::size_t> SettingsStore::FindEntry(const Section& section, std::string_view name)
{
    const auto found = section.entryIndex.find(FoldCase(name));
    return found == section.entryIndex.end() ? std::nullopt : std::optional(found->second);
}

// Like the registry, an overwritten value keeps the name as first written.
void SettingsStore::PutEntry(Section& section, Entry entry)
{
    const auto [found, added] =
        section.entryIndex.try_emplace(FoldCase(*entry.name), section.entries.size());
    if (added) {
        section.entries.push_back(std::move(entry));
        return;
    }
    Entry& existing = section.entries[found->second];
    existing.value = std::move(entry.value);
    existing.keptText = std::move(entry.keptText);
}

void SettingsStore::EraseEntry(Section& section, std::size_t index)
{
    if (const auto& name = section.entries[index].name) {
        section.entryIndex.erase(FoldCase(*name));
    }
    section.entries.erase(section.entries.begin() + static_cast<std::ptrdiff_t>(index));
    for (auto& [name, position] : section.entryIndex) {
        position -= position > index ? 1 : 0;
    }
}

void SettingsStore::Clear()
{
    m_sections.clear();
    Section root;
    root.listed = false;
    m_rootKey = &AddSection(std::move(root));
    m_preamble.clear();
    m_modified = false;
}

void SettingsStore::Parse(const std::string& text)
{
    std::string_view content(text);
    if (content.starts_with(kUtf8Bom)) {
        content.remove_prefix(kUtf8Bom.size());
    }
    const std::vector<std::string> lines = SplitLines(content);
    std::size_t i = 0;
    if (!lines.empty() && (RegistryText::Trim(lines[0]) == kFileHeader ||
                           RegistryText::Trim(lines[0]) == kVersion5Header)) {
        i = 1;
    }
    Section* current = nullptr;
    while (i < lines.size()) {
        const std::string& line = lines[i++];
        const std::string_view trimmed = RegistryText::Trim(line);
        if (trimmed.empty()) {
            continue;
        }
        if (trimmed.starts_with('[')) {
            current = &StartSection(line);
            continue;
        }
        std::string raw = line;
        std::string logical(trimmed);
        while (logical.ends_with('\\') && i < lines.size() &&
               RegistryText::IsContinuation(lines[i])) {
            logical.pop_back();
            logical += RegistryText::Trim(lines[i]);
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
    const std::string_view trimmed = RegistryText::Trim(line);
    const std::string_view inner =
        trimmed.ends_with(']') ? trimmed.substr(1, trimmed.size() - 2) : std::string_view();
    const std::string_view root = inner.substr(0, inner.find('\\'));
    const std::string path = NormalizePath(inner.substr(root.size()));
    if (root.empty() || !EqualsNoCase(root, RootName(m_root)) || !IsValidKeyPath(path)) {
        Section foreign;
        foreign.foreign = true;
        foreign.header = line;
        return AddSection(std::move(foreign));
    }
    Section& section = EnsureKey(path);
    if (!section.hadHeader) {
        // A parent created only because a subkey came first moves to where the file names it.
        m_sections.splice(m_sections.end(), m_sections, section.self);
        section.hadHeader = true;
    }
    return section;
}

void SettingsStore::AddLine(Section& section, const std::string& raw, std::string_view logical)
{
    std::optional<RegistryText::ParsedLine> parsed =
        section.foreign ? std::nullopt : RegistryText::ParseValueLine(logical);
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
    std::string text = std::string(kFileHeader) + "\n\n";
    for (const std::string& line : m_preamble) {
        AppendLine(text, line);
    }
    text += m_preamble.empty() ? "" : "\n";
    for (const Section& section : m_sections) {
        const bool implied =
            !section.hadHeader && section.entries.empty() && !section.children.empty();
        if (!section.listed || (!section.foreign && implied)) {
            continue;
        }
        text += section.foreign ? section.header : KeyHeader(RootName(m_root), FullPath(section));
        text += "\n";
        for (const Entry& entry : section.entries) {
            AppendLine(text, entry.value ? RegistryText::FormatValue(*entry.name, *entry.value)
                                         : entry.keptText);
        }
        text += "\n";
    }
    return text;
}
