#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// A DESCRIPT or REFERENC file being brought up to date: line n (from 1) is the text of code n.
// Texts already in the file keep their codes and the lines are never changed or reordered,
// since other tables refer to them; new texts are appended. A record holds a code in one byte,
// so texts that would need a code above 255 get none.
class CodeTable {
public:
    static constexpr unsigned kHighestCode = 255;

    // Reads the file at `path`; a missing file is an empty table. False, with a message in
    // `error`, when the file exists but cannot be read (appending to it would lose its codes).
    bool Load(const std::string& path, std::string* error);

    // The code of `text` (after NormaliseText): 0 for an empty text, the first line that reads
    // the same (as the program reads it: blanks at the ends do not count), or a new code at the
    // end. Empty when the text would need a code above 255.
    std::optional<uint8_t> CodeFor(const std::string& text);

    size_t NewTextCount() const { return m_lines.size() - m_existingLineCount; }

    // The path given to Load, where Content belongs when texts were added.
    const std::string& Path() const { return m_path; }

    // The file as it will be written: the old lines with LF line ends, then the new texts.
    std::string Content() const;

private:
    std::string m_path;
    std::vector<std::string> m_lines;  // without line ends
    size_t m_existingLineCount = 0;
    std::unordered_map<std::string, unsigned> m_codes;  // text to its first code
};
