#include "database/TextTables.h"

#include "framework/AtomicFile.h"
#include "framework/StringUtil.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <optional>
#include <string_view>

namespace {

const std::string kEmpty;

const char* const kValenceNames[TextTables::kValenceCount] = {
    "",     "I",   "II", "III", "IV",   "V",     "VI",  "VII", "VIII", "IX", "X", "XI", "XII",
    "XIII", "XIV", "XV", "XVI", "XVII", "XVIII", "XIX", "",    "",     "",   "",  "Ox", "BH"};

std::vector<std::string> SplitAt(std::string_view text, char separator)
{
    std::vector<std::string> parts;
    while (true) {
        const size_t end = text.find(separator);
        parts.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos) {
            return parts;
        }
        text.remove_prefix(end + 1);
    }
}

// `name` as written after the numbers of its line, so that the reader gives it back: the
// reader strips blanks at both ends and line ends at the end, and a line without a name is no
// element at all, which would give every later element the code of the one before.
std::string WrittenName(const std::string& name)
{
    std::string text = name;
    std::replace(text.begin(), text.end(), '\n', ' ');
    text = StripBlanks(text);
    if (text.empty()) {
        return "?";
    }
    if (text.ends_with('\r')) {
        text += ' ';  // a carriage return before the line end would be taken as part of it
    }
    return text;
}

// A description or reference as shown: blanks stripped at both ends, and no longer than a
// list column can use, so that a huge line costs neither memory nor time to measure.
std::string ShownText(std::string_view line)
{
    const size_t begin = line.find_first_not_of(' ');
    if (begin == std::string_view::npos) {
        return {};
    }
    line = line.substr(begin, line.find_last_not_of(' ') - begin + 1);
    if (line.size() <= TextTables::kMaxTextBytes) {
        return std::string(line);
    }
    // Back to the first byte of the character the cut would split. At most three steps, so
    // that text which is not UTF-8 is cut near the limit all the same.
    size_t cut = TextTables::kMaxTextBytes;
    for (int i = 0; i < 3 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80; ++i) {
        --cut;
    }
    return std::string(line.substr(0, cut)) + "\u2026";
}

// One entry per line, as a line-by-line read sees them: after a final line end it reads one
// more, empty, line.
void LoadTextTable(const std::string& path, std::vector<std::string>& table)
{
    table.assign(1, std::string());
    std::string content;
    if (!ReadWholeFile(path, content) || content.empty()) {
        return;
    }
    std::string_view rest = content;
    while (true) {
        const size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        while (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        table.push_back(ShownText(line));
        if (end == std::string_view::npos) {
            return;
        }
        rest.remove_prefix(end + 1);
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
    m_elementLines.clear();
    m_unreadElementLines.clear();
    m_elementsUnreadable = false;
    m_elementsAsRead.reset();
    m_elementsTextAtLoad.clear();
    std::string content;
    if (!ReadWholeFile(path, content)) {
        std::error_code ec;
        m_elementsUnreadable = std::filesystem::exists(path, ec);
        return !m_elementsUnreadable;
    }
    m_elementsAsRead = content;
    // Lines as they stand in the file (carriage returns kept), for those written back unread.
    std::vector<std::string> raw = SplitAt(content, '\n');
    if (content.ends_with('\n')) {
        raw.pop_back();
    }
    for (size_t i = 0; i < raw.size(); ++i) {
        std::string_view line = raw[i];
        while (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        const std::string text(line);
        if (text.find_first_not_of(" \t") == std::string::npos) {
            continue;  // blank lines hold no numbers and add nothing
        }
        size_t pos = 0;
        const auto atomicNumber = ReadInteger(text, pos);
        const auto row = atomicNumber ? ReadInteger(text, pos) : std::nullopt;
        const auto column = row ? ReadInteger(text, pos) : std::nullopt;
        if (!column) {
            // Reading stops here; the rest is kept so that the rewrite at exit does not lose it.
            m_unreadElementLines.assign(raw.begin() + static_cast<std::ptrdiff_t>(i), raw.end());
            break;
        }
        std::string name = StripBlanks(text.substr(pos));
        if (name.empty()) {
            m_elementLines.push_back(raw[i]);  // numbers without a name give no element
            continue;
        }
        ElementTable.emplace_back(*atomicNumber, 0, 0, *row, *column, std::move(name), 1.0);
        m_elementLines.push_back(std::nullopt);
    }
    BuildSortIndex();
    m_elementsTextAtLoad = ElementsText();
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
    if (!ElementsChanged()) {
        return true;  // never made where there was none; unchanged, it keeps its bytes and time
    }
    std::string now;
    if (ReadWholeFile(path, now) && now != *m_elementsAsRead) {
        if (error != nullptr) {
            *error = path +
                     " was changed by another program while Spekla ran; the element "
                     "changes of this session were not saved over it";
        }
        return false;
    }
    return WriteFileAtomically(path, ElementsText(), error);
}

bool TextTables::ElementsChanged() const
{
    return m_elementsAsRead && ElementsText() != m_elementsTextAtLoad;
}

std::string TextTables::ElementsText() const
{
    std::string text;
    size_t next = 0;
    const auto writeElement = [&] {
        const Element& element = ElementTable[next++];
        text += std::to_string(element.atomicNumber) + ' ' + std::to_string(element.row) + ' ' +
                std::to_string(element.column) + ' ' + WrittenName(element.name) + '\n';
    };
    // Every element goes back to the place it was read from, between the lines kept, so that
    // no element's position, which is its code in the tables, ever moves.
    for (const auto& line : m_elementLines) {
        if (line) {
            text += *line + '\n';
        } else if (next < ElementTable.size()) {
            writeElement();
        }
    }
    while (next < ElementTable.size()) {
        writeElement();
    }
    for (const std::string& line : m_unreadElementLines) {
        text += line + '\n';
    }
    return text;
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
