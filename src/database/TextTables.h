#pragma once

#include "database/Element.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The lookup tables that give a line record's one-byte codes their meaning: elements (from
// ELEMENTS), descriptions (DESCRIPT), references (REFERENC), and the fixed valence names with
// their visibility flags. One instance serves the whole program; lookups by code never index
// past the end of a table: an unknown code gives an empty text, an unselected element or a
// hidden valence.
class TextTables {
public:
    static constexpr int kValenceCount = 26;
    // Descriptions and references longer than this are cut, at a character boundary, and end
    // in "…"; the files keep them whole.
    static constexpr size_t kMaxTextBytes = 300;

    TextTables();

    // Loads DESCRIPT, REFERENC and ELEMENTS from `directory` and resets the valence flags.
    // Missing files leave the tables at their defaults; nothing is reported.
    void Load(const std::string& directory);
    void LoadDescriptions(const std::string& path);
    void LoadReferences(const std::string& path);
    // False when ELEMENTS exists but cannot be read (a missing file is not a failure).
    bool LoadElements(const std::string& path);

    // Rewrites ELEMENTS in canonical form ("number row column name" per element, no blank
    // lines) when the table was changed since it was read; an unchanged table, or a folder
    // that had no ELEMENTS, is left as it is. Lines of numbers without a name, which give no
    // element, stay as they stood in their places, and the lines from the first that could not
    // be read on are kept unchanged at the end, so that reading the file back gives the same
    // table. The file is replaced atomically. Returns false with a message in `error` when the
    // file could not be written, when it existed at load time but could not be read, or when
    // another program changed it since (it is then left as it is).
    bool WriteElements(const std::string& path, std::string* error) const;
    // Whether WriteElements would write: the table read from a file was changed since.
    bool ElementsChanged() const;
    // Whether the last load found an ELEMENTS file, readable or not.
    bool HasElementsFile() const { return m_elementsAsRead.has_value() || m_elementsUnreadable; }
    // The text WriteElements writes.
    std::string ElementsText() const;

    // Rebuilds every element's sortIndex from the names (after a name changed).
    void BuildSortIndex();

    const std::string& ElementName(unsigned code) const;
    const std::string& ValenceName(unsigned code) const;
    const std::string& DescriptionText(unsigned code) const;
    const std::string& ReferenceText(unsigned code) const;
    bool IsElementSelected(unsigned code) const;
    double ElementRatio(unsigned code) const;  // 1.0 for an unknown code
    bool IsValenceShown(unsigned code) const;

    // Changes with every load and with every NoteChanged(). The tables below are changed in
    // place, so whoever changes them (selection, ratios, valence flags, names) calls NoteChanged().
    uint64_t Revision() const { return m_revision; }
    void NoteChanged() { ++m_revision; }

    std::vector<Element> ElementTable;
    std::vector<std::string> DescriptionTable;  // code 0 is ""
    std::vector<std::string> ReferenceTable;    // code 0 is ""
    std::vector<std::string> ValenceNameTable;  // 26 fixed names
    std::array<uint16_t, kValenceCount> ValenceFlags{};

private:
    // ELEMENTS as read: an element (empty) or a line that gave none, kept as it stood.
    std::vector<std::optional<std::string>> m_elementLines;
    std::vector<std::string> m_unreadElementLines;  // ELEMENTS from the first unreadable line on
    bool m_elementsUnreadable = false;              // ELEMENTS exists but could not be read
    std::optional<std::string> m_elementsAsRead;    // the bytes read; none when there was no file
    std::string m_elementsTextAtLoad;               // ElementsText() right after the load
    uint64_t m_revision = 0;
};
