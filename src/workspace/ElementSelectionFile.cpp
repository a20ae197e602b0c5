#include "workspace/ElementSelectionFile.h"

#include "database/TextTables.h"
#include "framework/AtomicFile.h"
#include "framework/Limits.h"
#include "framework/NumberFormat.h"
#include "framework/StringUtil.h"

#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>

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

// The ratio of a line's ratio text: 0 for text that is not a number; nothing for a number
// outside the ratio limits, as one NaN or infinity would poison every summed intensity and a
// huge ratio would flatten every other element.
std::optional<double> UsableRatio(const std::string& text)
{
    const char* first = text.data();
    const char* const last = text.data() + text.size();
    while (first != last && std::isspace(static_cast<unsigned char>(*first)) != 0) {
        ++first;
    }
    if (first != last && *first == '+') {
        ++first;
    }
    double ratio = 0.0;
    const std::errc error = std::from_chars(first, last, ratio).ec;
    if (error == std::errc::invalid_argument) {
        return 0.0;
    }
    if (error == std::errc::result_out_of_range) {
        // Too small for a double (1e-400) is a ratio of 0; too large is out of range.
        long double wide = 0.0L;
        if (std::from_chars(first, last, wide).ec != std::errc()) {
            return std::nullopt;
        }
        ratio = static_cast<double>(wide);
    }
    // Larger ratios are typing mistakes, not intensities.
    if (!Limits::kRatio.Contains(ratio)) {
        return std::nullopt;
    }
    return ratio == 0.0 ? 0.0 : ratio;  // -0 would be saved as "-0"
}

// Applies one line; false when it named a known element but was skipped for its ratio.
bool ApplyLine(const std::string& line, TextTables& text)
{
    const size_t blank = line.find(' ');
    if (blank == std::string::npos || blank == 0) {
        return true;  // no name; an empty name must not pick an unnamed table entry
    }
    const std::string_view name(line.data(), blank);
    for (Element& element : text.ElementTable) {
        if (element.name == name) {
            const auto ratio = UsableRatio(line.substr(blank + 1));
            if (!ratio) {
                return false;
            }
            element.selected = 1;
            element.ratio = *ratio;
            return true;
        }
    }
    return true;
}

std::string SkippedWarning(int skipped)
{
    const std::string outside = " had a ratio outside " + Limits::kRatio.Span();
    return skipped == 1 ? "1 line of the element file" + outside + " and was skipped."
                        : std::to_string(skipped) + " lines of the element file" + outside +
                              " and were skipped.";
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
            content += element.name + ' ' + FormatShortest(element.ratio) + '\n';
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
    LoadResult result;
    for (const std::string& line : SplitLines(content)) {
        if (!ApplyLine(line, text)) {
            ++result.skippedLines;
        }
    }
    if (result.skippedLines != 0) {
        result.warning = SkippedWarning(result.skippedLines);
    }
    return result;
}
