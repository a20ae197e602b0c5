#include "app/FileTypeRegistration.h"

#include "framework/AtomicFile.h"
#include "framework/SettingsStore.h"
#include "framework/StringUtil.h"

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <optional>
#include <unistd.h>
#include <utility>

namespace {

// The values under the classes root: key, default value.
std::vector<std::pair<std::string, std::string>> Keys(const std::string& program)
{
    const std::string icon = program + ",1";
    return {{"Spekla.Application\\DefaultIcon", program},
            {"Spekla.1\\DefaultIcon", icon},
            {"Spekla.2\\DefaultIcon", icon},
            {"Spekla.3\\DefaultIcon", icon},
            {"Spekla.1", "Spekla Wavelength Table"},
            {"Spekla.2", "Spekla Element File"},
            {".swt", "Spekla.1"},
            {".sef", "Spekla.2"}};
}

// The keys that hold those values, each removed with its subkeys.
constexpr const char* kTopKeys[] = {"Spekla.Application", "Spekla.1", "Spekla.2",
                                    "Spekla.3",           ".swt",     ".sef"};

bool FolderIsEmptyOrMissing(const std::filesystem::path& folder)
{
    std::error_code error;
    const bool empty = std::filesystem::is_empty(folder, error);
    return error ? !std::filesystem::exists(folder, error) : empty;
}

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

FileTypeRegistration::FileTypeRegistration(std::string dataHome, std::vector<File> files)
    : m_dataHome(std::move(dataHome)), m_files(std::move(files))
{
}

std::string FileTypeRegistration::DataHome()
{
    const std::string data = Environment("XDG_DATA_HOME");
    if (data.starts_with('/')) {
        return data;
    }
    return Environment("HOME") + "/.local/share";
}

std::string FileTypeRegistration::ExecArgument(const std::string& path)
{
    std::string word;
    bool quote = false;
    for (char c : path) {
        if (c == '%') {
            word += "%%";
            continue;
        }
        if (std::string_view(" \t\n\"'\\><~|&;$*?#()`=").find(c) != std::string_view::npos) {
            quote = true;
        }
        // Inside quotes these four take a backslash, and the entry's own escaping doubles
        // every backslash once more.
        if (c == '"' || c == '`' || c == '$') {
            word += "\\\\";
        } else if (c == '\\') {
            word += "\\\\\\";
        }
        word += c;
    }
    return quote ? "\"" + word + "\"" : word;
}

std::string FileTypeRegistration::DesktopEntryFor(std::string_view installed,
                                                  const std::string& program,
                                                  const std::string& folder)
{
    std::string entry;
    for (const std::string& line : SplitLines(installed)) {
        if (line.starts_with("Path=")) {
            continue;
        }
        if (line.starts_with("Exec=")) {
            entry += "Exec=" + ExecArgument(program) + " %f\n";
            // The program reads the installation in the folder it starts in.
            entry += "Path=" + folder + "\n";
        } else {
            entry += line + "\n";
        }
    }
    return entry;
}

bool FileTypeRegistration::WriteKeys(SettingsStore& classesRoot, const std::string& program)
{
    bool changed = false;
    for (const auto& [key, text] : Keys(program)) {
        const std::optional<SettingsStore::Value> value = classesRoot.GetValue(key, "");
        if (value != SettingsStore::Value(text)) {
            classesRoot.SetValue(key, "", text);
            changed = true;
        }
    }
    return changed;
}

bool FileTypeRegistration::RemoveKeys(SettingsStore& classesRoot)
{
    bool removed = false;
    for (const char* key : kTopKeys) {
        removed = classesRoot.DeleteKey(key) || removed;
    }
    return removed;
}

std::string FileTypeRegistration::PathOf(const File& file) const
{
    return m_dataHome + "/" + file.relativePath;
}

int FileTypeRegistration::Install(std::string* error) const
{
    int written = 0;
    for (const File& file : m_files) {
        std::string present;
        if (ReadWholeFile(PathOf(file), present) && present == file.contents) {
            continue;
        }
        if (!WriteFileAtomically(PathOf(file), file.contents, error)) {
            return -1;
        }
        ++written;
    }
    return written;
}

int FileTypeRegistration::Uninstall() const
{
    int removed = 0;
    for (const File& file : m_files) {
        if (::unlink(PathOf(file).c_str()) == 0) {
            ++removed;
        }
    }
    if (removed > 0) {
        RemoveWhatTheDesktopMadeOfThem();
    }
    return removed;
}

// The MIME database and the entries' cache are made from the packages and entries; once none is
// left they describe nothing, and the folders that held only Spekla's files go with them.
void FileTypeRegistration::RemoveWhatTheDesktopMadeOfThem() const
{
    namespace fs = std::filesystem;
    std::error_code ignored;
    const fs::path home(m_dataHome);
    if (FolderIsEmptyOrMissing(home / "mime" / "packages")) {
        fs::remove_all(home / "mime", ignored);
    }
    const fs::path applications = home / "applications";
    const fs::path cache = applications / "mimeinfo.cache";
    if (fs::exists(cache, ignored) && std::distance(fs::directory_iterator(applications, ignored),
                                                    fs::directory_iterator()) == 1) {
        fs::remove(cache, ignored);
    }
    for (const File& file : m_files) {
        for (fs::path folder = fs::path(PathOf(file)).parent_path();
             folder != home && folder.string().size() > home.string().size();
             folder = folder.parent_path()) {
            if (!FolderIsEmptyOrMissing(folder) ||
                (fs::exists(folder, ignored) && !fs::remove(folder, ignored))) {
                break;
            }
        }
    }
}
