#pragma once

#include <string>
#include <string_view>
#include <vector>

class SettingsStore;

// The file types of tables (.swt) and element files (.sef): their keys in the classes-root
// settings store, and on the desktop a shared-mime-info package, a desktop entry and icons
// under the XDG data folder. Everything is written only where it differs from what is there, so
// that a start after the first changes no file; removal takes away exactly what is written.
class FileTypeRegistration {
public:
    struct File {
        std::string relativePath;  // below the data folder
        std::string contents;
    };

    // The files to install below `dataHome`; `files` come from the program's resources.
    FileTypeRegistration(std::string dataHome, std::vector<File> files);

    // $XDG_DATA_HOME when it is an absolute path, else $HOME/.local/share.
    static std::string DataHome();
    // The installed desktop entry made to start `program` in `folder`, the installation the
    // file types open in: its Exec line names the program by its full path, and a Path line
    // follows it.
    static std::string DesktopEntryFor(std::string_view installed, const std::string& program,
                                       const std::string& folder);
    // `path` as one word of an Exec line, quoted where the desktop entry rules need it.
    static std::string ExecArgument(const std::string& path);

    // The keys under the classes root, their icon `program` followed by ",1". True when a
    // value had to be changed.
    static bool WriteKeys(SettingsStore& classesRoot, const std::string& program);
    // True when a key was there to remove.
    static bool RemoveKeys(SettingsStore& classesRoot);

    // Writes the files that are missing or differ; the number written, or -1 after a failure
    // (then *error says why; the files before it are written).
    int Install(std::string* error) const;
    // Removes the files, then what the desktop's tools made of them alone and the folders left
    // empty; the number of files removed.
    int Uninstall() const;
    const std::vector<File>& Files() const { return m_files; }
    std::string PathOf(const File& file) const;

private:
    void RemoveWhatTheDesktopMadeOfThem() const;

    std::string m_dataHome;
    std::vector<File> m_files;
};
