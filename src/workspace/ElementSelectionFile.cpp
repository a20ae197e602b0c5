#include "workspace/ElementSelectionFile.h"

#include "database/TextTables.h"
#include "framework/AtomicFile.h"
#include "framework/NumberFormat.h"
#include "framework/StringUtil.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>

namespace fs = std::filesystem;

namespace {

enum class ReadOutcome { Read, CannotAccess, Failed };

ReadOutcome ReadLimited(const std::string& path, std::string& content)
{
    std::error_code ec;
    // A folder opens as a stream on Linux; it is not an element file.
    if (!fs::is_regular_file(path, ec)) {
        return ReadOutcome::CannotAccess;
    }
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec || size > ElementSelectionFile::kMaximumSize) {
        return ReadOutcome::CannotAccess;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return ReadOutcome::CannotAccess;
    }
    // Read in chunks rather than trusting the size: the file may grow meanwhile, and some
    // files (under /proc) report a size of 0.
    content.clear();
    char chunk[64 * 1024];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        content.append(chunk, static_cast<size_t>(in.gcount()));
        if (content.size() > ElementSelectionFile::kMaximumSize) {
            return ReadOutcome::CannotAccess;
        }
    }
    return in.bad() ? ReadOutcome::Failed : ReadOutcome::Read;
}

// The ratio of a line's ratio text, or nothing when it would be unusable as a multiplier:
// one NaN or infinity would poison every summed intensity.
std::optional<double> UsableRatio(const std::string& text)
{
    const double ratio = ParseLeadingDouble(text);
    if (!std::isfinite(ratio) || ratio < 0.0) {
        return std::nullopt;
    }
    return ratio == 0.0 ? 0.0 : ratio;  // -0 would be saved as "-0"
}

void ApplyLine(const std::string& line, TextTables& text)
{
    const size_t blank = line.find(' ');
    if (blank == std::string::npos || blank == 0) {
        return;  // no name; an empty name must not pick an unnamed table entry
    }
    const std::string_view name(line.data(), blank);
    for (Element& element : text.ElementTable) {
        if (element.name == name) {
            element.selected = 1;
            if (const auto ratio = UsableRatio(line.substr(blank + 1))) {
                element.ratio = *ratio;
            }
            return;
        }
    }
}

}  // namespace

bool ElementSelectionFile::Save(const std::string& path, const TextTables& text, std::string* error)
{
    // The atomic writer would create a missing folder; a mistyped folder in a save dialog
    // should be reported instead.
    const fs::path folder = fs::path(path).parent_path();
    std::error_code ec;
    if (!folder.empty() && !fs::is_directory(folder, ec)) {
        if (error != nullptr) {
            *error = "Cannot write " + path + ": the folder does not exist";
        }
        return false;
    }
    std::string content;
    for (const Element& element : text.ElementTable) {
        if (element.selected != 0) {
            content += element.name + ' ' + FormatDefault(element.ratio) + '\n';
        }
    }
    return WriteFileAtomically(path, content, error);
}

ElementSelectionFile::LoadResult ElementSelectionFile::Load(const std::string& path,
                                                            TextTables& text)
{
    std::string content;
    switch (ReadLimited(path, content)) {
        case ReadOutcome::CannotAccess:
            return {false, std::string(kCannotAccess)};
        case ReadOutcome::Failed:
            // Part of the selection may be lost; showing every element is the safe state.
            for (Element& element : text.ElementTable) {
                element.selected = 1;
                element.ratio = 1.0;
            }
            return {false, std::string(kReadFailed)};
        case ReadOutcome::Read:
            break;
    }
    for (Element& element : text.ElementTable) {
        element.selected = 0;
    }
    for (const std::string& line : SplitLines(content)) {
        ApplyLine(line, text);
    }
    return {};
}
