#pragma once

#include <string>
#include <vector>

// What the program is asked to do by its arguments. Options start with "-": the single-dash
// words may be shortened to any leading part ("-unregister" needs at least "-un", so that a stray
// dash or letter cannot delete the settings), take their value after ":" or "=" or as the next
// argument, and ignore case. "/" starts a path, not an option. Arguments that are not options
// are files to open, by their extension: ".sef" element files, ".swt" tables (which cannot be
// opened one by one), anything else an overlay.
struct ProgramOptions {
    enum class FileKind { ElementFile, Overlay };
    struct FileToLoad {
        FileKind kind;
        std::string path;
        bool operator==(const FileToLoad&) const = default;
    };

    // `arguments` without the program's own name.
    static ProgramOptions Parse(const std::vector<std::string>& arguments);
    // The text of --help.
    static std::string HelpText();

    bool showHelp = false;
    bool showVersion = false;
    // Remove the file types and the settings; later options are not read.
    bool unregister = false;
    std::vector<FileToLoad> files;  // in the order given
    std::string commandFile;        // --run or --batch; empty when none
    bool batch = false;             // run the command file without a window, then exit
    // What the user should be told: options not understood, values missing, tables given.
    std::vector<std::string> messages;
};
