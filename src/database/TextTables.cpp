#include "database/TextTables.h"

#include "framework/AtomicFile.h"
#include "framework/StringUtil.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <optional>

namespace {

const std::string kEmpty;

const char* const kValenceNames[TextTables::kValenceCount] = {
    "",     "I",   "II", "III", "IV",   "V",     "VI",  "VII", "VIII", "IX", "X", "XI", "XII",
    "XIII", "XIV", "XV", "XVI", "XVII", "XVIII", "XIX", "",    "",     "",   "",  "Ox", "BH"};

// The lines as a line-by-line read sees them: after a final line end it reads one more,
// empty, line.
std::vector<std::string> ReadLines(const std::string& content)
{
    std::vector<std::string> lines = SplitLines(content);
    if (content.ends_with('\n')) {
        lines.emplace_back();
    }
    return lines;
}

void LoadTextTable(const std::string& path, std::vector<std::string>& table)
{
    table.assign(1, std::string());
    std::string content;
    if (!ReadWholeFile(path, content) || content.empty()) {
        return;
    }
    for (const std::string& line : ReadLines(content)) {
        table.push_back(StripBlanks(line));
    }
}

// Reads one whitespace-separated integer from `text` at `pos`; empty when there is none.
std::optional<int32_t> ReadInteger(const std::string& text, size_t& pos)
{
    pos = text.find_first_not_of(" \t", pos);
    if (pos == std::string::npos) {
        return std::nullopt;
    }
    if (text[pos] == '+') {
        ++pos;
    }
    int32_t value = 0;
    auto result = std::from_chars(text.data() + pos, text.data() + text.size(), value);
    if (result.ec != std::errc()) {
        return std::nullopt;
    }
    pos = static_cast<size_t>(result.ptr - text.data());
    return value;
}

}  // namespace

TextTables::TextTables()
    : DescriptionTable(1),
      ReferenceTable(1),
      ValenceNameTable(kValenceNames, kValenceNames + kValenceCount)
{
    ValenceFlags.fill(1);
}

void TextTables::Load(const std::string& directory)
{
    const std::string prefix = directory.empty() ? std::string() : directory + "/";
    LoadDescriptions(prefix + "DESCRIPT");
    LoadReferences(prefix + "REFERENC");
    LoadElements(prefix + "ELEMENTS");
    ValenceFlags.fill(1);
    NoteChanged();
}

void TextTables::LoadDescriptions(const std::string& path)
{
    LoadTextTable(path, DescriptionTable);
    NoteChanged();
}

void TextTables::LoadReferences(const std::string& path)
{
    LoadTextTable(path, ReferenceTable);
    NoteChanged();
}

bool TextTables::LoadElements(const std::string& path)
{
    NoteChanged();
    ElementTable.clear();
    m_unreadElementLines.clear();
    m_elementsUnreadable = false;
    std::string content;
    if (!ReadWholeFile(path, content)) {
        std::error_code ec;
        m_elementsUnreadable = std::filesystem::exists(path, ec);
        return !m_elementsUnreadable;
    }
    const std::vector<std::string> lines = ReadLines(content);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.find_first_not_of(" \t") == std::string::npos) {
            continue;  // blank lines hold no numbers and add nothing
        }
        size_t pos = 0;
        const auto atomicNumber = ReadInteger(line, pos);
        const auto row = atomicNumber ? ReadInteger(line, pos) : std::nullopt;
        const auto column = row ? ReadInteger(line, pos) : std::nullopt;
        if (!column) {
            // Reading stops here; keep the rest so that the rewrite at exit does not lose it.
            m_unreadElementLines.assign(lines.begin() + static_cast<std::ptrdiff_t>(i),
                                        lines.end());
            if (!m_unreadElementLines.empty() && m_unreadElementLines.back().empty()) {
                m_unreadElementLines.pop_back();
            }
            break;
        }
        std::string name = StripBlanks(line.substr(pos));
        if (!name.empty()) {
            ElementTable.emplace_back(*atomicNumber, 0, 0, *row, *column, std::move(name), 1.0);
        }
    }
    BuildSortIndex();
    return true;
}

void TextTables::BuildSortIndex()
{
    NoteChanged();
    std::vector<std::string> sorted;
    sorted.reserve(ElementTable.size());
    for (const Element& element : ElementTable) {
        sorted.push_back(element.name);
    }
    std::sort(sorted.begin(), sorted.end());
    // Equal names all take the last position that holds the name.
    for (Element& element : ElementTable) {
        const auto after = std::upper_bound(sorted.begin(), sorted.end(), element.name);
        element.sortIndex = static_cast<int32_t>(after - sorted.begin()) - 1;
    }
}

bool TextTables::WriteElements(const std::string& path, std::string* error) const
{
    if (m_elementsUnreadable) {
        // Writing the empty table would destroy a file we merely failed to read.
        if (error != nullptr) {
            *error = path + " could not be read at start and was left unchanged";
        }
        return false;
    }
    std::string text;
    for (const Element& element : ElementTable) {
        text += std::to_string(element.atomicNumber) + ' ' + std::to_string(element.row) + ' ' +
                std::to_string(element.column) + ' ' + element.name + '\n';
    }
    for (const std::string& line : m_unreadElementLines) {
        text += line + '\n';
    }
    return WriteFileAtomically(path, text, error);
}

const std::string& TextTables::ElementName(unsigned code) const
{
    return code < ElementTable.size() ? ElementTable[code].name : kEmpty;
}

const std::string& TextTables::ValenceName(unsigned code) const
{
    return code < ValenceNameTable.size() ? ValenceNameTable[code] : kEmpty;
}

const std::string& TextTables::DescriptionText(unsigned code) const
{
    return code < DescriptionTable.size() ? DescriptionTable[code] : kEmpty;
}

const std::string& TextTables::ReferenceText(unsigned code) const
{
    return code < ReferenceTable.size() ? ReferenceTable[code] : kEmpty;
}

bool TextTables::IsElementSelected(unsigned code) const
{
    return code < ElementTable.size() && ElementTable[code].selected != 0;
}

double TextTables::ElementRatio(unsigned code) const
{
    return code < ElementTable.size() ? ElementTable[code].ratio : 1.0;
}

bool TextTables::IsValenceShown(unsigned code) const
{
    return code < ValenceFlags.size() && ValenceFlags[code] != 0;
}
