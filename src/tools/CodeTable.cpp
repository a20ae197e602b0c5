#include "tools/CodeTable.h"

#include "framework/AtomicFile.h"
#include "framework/StringUtil.h"
#include "tools/CellText.h"

#include <filesystem>

bool CodeTable::Load(const std::string& path, std::string* error)
{
    m_path = path;
    m_lines.clear();
    m_codes.clear();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        m_existingLineCount = 0;
        return true;
    }
    std::string content;
    if (!ReadWholeFile(path, content)) {
        if (error != nullptr) {
            *error = "Cannot read " + path;
        }
        return false;
    }
    m_lines = SplitLines(content);
    m_existingLineCount = m_lines.size();
    for (size_t i = 0; i < m_lines.size(); ++i) {
        // The program strips blanks when it loads the file, so that is the text of the code.
        m_codes.emplace(StripBlanks(m_lines[i]), static_cast<unsigned>(i + 1));
    }
    return true;
}

std::optional<uint8_t> CodeTable::CodeFor(const std::string& text)
{
    const std::string key = NormaliseText(text);
    if (key.empty()) {
        return uint8_t{0};
    }
    const auto found = m_codes.find(key);
    if (found != m_codes.end()) {
        if (found->second > kHighestCode) {
            return std::nullopt;
        }
        return static_cast<uint8_t>(found->second);
    }
    const auto code = static_cast<unsigned>(m_lines.size() + 1);
    if (code > kHighestCode) {
        return std::nullopt;
    }
    m_lines.push_back(key);
    m_codes.emplace(key, code);
    return static_cast<uint8_t>(code);
}

std::string CodeTable::Content() const
{
    std::string content;
    for (const std::string& line : m_lines) {
        content += line;
        content += '\n';
    }
    return content;
}
