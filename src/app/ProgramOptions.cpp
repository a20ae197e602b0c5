#include "app/ProgramOptions.h"

#include "framework/StringUtil.h"

#include <optional>
#include <string_view>

namespace {

// `typed` is a leading part of `word`, at least `minimum` characters long.
bool Abbreviates(std::string_view typed, std::string_view word, size_t minimum = 1)
{
    return typed.size() >= minimum && typed.size() <= word.size() &&
           EqualsIgnoringCase(typed, word.substr(0, typed.size()));
}

bool IsOption(std::string_view argument)
{
    return argument.size() > 1 && argument.front() == '-';
}

std::string Extension(std::string_view path)
{
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) {
        return {};
    }
    return ToLower(path.substr(dot));
}

class Parser {
public:
    Parser(const std::vector<std::string>& arguments, ProgramOptions& options)
        : m_arguments(arguments), m_options(options)
    {
    }

    void Run()
    {
        bool optionsEnded = false;
        for (m_next = 0; m_next < m_arguments.size() && !m_options.unregister;) {
            const std::string& argument = m_arguments[m_next++];
            if (optionsEnded || !IsOption(argument)) {
                if (argument != "-" && !argument.empty()) {  // nothing to open
                    AddFile(argument);
                }
            } else if (argument == "--") {
                optionsEnded = true;
            } else if (argument.starts_with("--")) {
                LongOption(argument);
            } else {
                ShortOption(argument);
            }
        }
    }

private:
    // "--help", "--version", "--run FILE", "--batch FILE" and the words in full.
    void LongOption(const std::string& argument)
    {
        const size_t equals = argument.find('=');
        const std::string name = argument.substr(2, equals - 2);
        std::optional<std::string> value;
        if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
        }
        if (name == "help") {
            m_options.showHelp = true;
        } else if (name == "version") {
            m_options.showVersion = true;
        } else if (name == "run" || name == "batch") {
            m_options.batch = name == "batch";
            m_options.commandFile = Value(value, "--" + name).value_or("");
        } else if (name == "unregister") {
            m_options.unregister = true;
        } else if (name != "reset") {
            m_options.messages.push_back("unknown option " + argument);
        }
    }

    // The words are tried in this order, so "-r" is reset and "-h" help.
    void ShortOption(const std::string& argument)
    {
        const size_t split = argument.find_first_of(":=");
        const std::string word = argument.substr(1, split == std::string::npos ? split : split - 1);
        std::optional<std::string> value;
        if (split != std::string::npos) {
            value = argument.substr(split + 1);
        }
        if (Abbreviates(word, "unregister", 2)) {
            m_options.unregister = true;
        } else if (Abbreviates(word, "reset")) {
            // Accepted for old shortcuts; there is nothing to reset.
        } else if (EqualsIgnoringCase(word, "e") || EqualsIgnoringCase(word, "o")) {
            const auto kind = EqualsIgnoringCase(word, "e") ? ProgramOptions::FileKind::ElementFile
                                                            : ProgramOptions::FileKind::Overlay;
            if (auto path = Value(value, "-" + word)) {
                m_options.files.push_back({kind, *path});
            }
        } else if (Abbreviates(word, "help")) {
            m_options.showHelp = true;
        } else {
            m_options.messages.push_back("unknown option " + argument);
        }
    }

    // The value given with the option, else the next argument unless that is an option.
    std::optional<std::string> Value(const std::optional<std::string>& given,
                                     const std::string& option)
    {
        std::optional<std::string> value = given;
        if (!value && m_next < m_arguments.size() && !IsOption(m_arguments[m_next])) {
            value = m_arguments[m_next++];
        }
        if (!value || value->empty()) {
            m_options.messages.push_back("missing file name after " + option);
            return std::nullopt;
        }
        return value;
    }

    void AddFile(const std::string& path)
    {
        const std::string extension = Extension(path);
        if (extension == ".swt") {
            m_options.messages.push_back(
                path +
                ": wavelength tables are read from the installation folder, the folder Spekla "
                "starts in; copy the table there to use it.");
        } else if (extension == ".sef") {
            m_options.files.push_back({ProgramOptions::FileKind::ElementFile, path});
        } else {
            m_options.files.push_back({ProgramOptions::FileKind::Overlay, path});
        }
    }

    const std::vector<std::string>& m_arguments;
    ProgramOptions& m_options;
    size_t m_next = 0;
};

}  // namespace

ProgramOptions ProgramOptions::Parse(const std::vector<std::string>& arguments)
{
    ProgramOptions options;
    Parser(arguments, options).Run();
    return options;
}

std::string ProgramOptions::HelpText()
{
    return "Usage: spekla [OPTION]... [FILE]...\n"
           "View tables of atomic and ionic emission lines. Spekla reads the installation in\n"
           "the folder it starts in: ELEMENTS, DESCRIPT, REFERENC and the .swt tables.\n"
           "\n"
           "  -e FILE          load an element file (.sef) at start\n"
           "  -o FILE          load an overlay file into the graph at start\n"
           "  -unregister      remove Spekla's file types and all its settings\n"
           "  -reset           accepted and ignored\n"
           "      --run FILE   carry out the commands of FILE after start-up\n"
           "      --batch FILE carry out the commands of FILE without a window, then exit:\n"
           "                   status 0 when every command was carried out, 1 when one was\n"
           "                   refused (its warning goes to standard error)\n"
           "  -h, --help       show this help and exit\n"
           "      --version    show the version and exit\n"
           "\n"
           "Options may be shortened (-unregister to -un), and a value may follow after ':'\n"
           "or '=' (-e=mine.sef). A FILE without an option is opened by its extension: .sef\n"
           "as an element file, anything else as an overlay.\n";
}
