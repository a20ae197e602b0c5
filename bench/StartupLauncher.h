#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

// The bench's side of one measured start: runs the child mode of `executable` on an
// installation, in a process of its own with a settings folder of its own, and collects the
// "name: value" lines it prints.
class StartupLauncher {
public:
    struct Result {
        std::map<std::string, double> figures;  // milliseconds since the child was created
        std::vector<std::string> notes;
    };

    // `settings`: the settings file the program finds (as an earlier session saved it); empty
    // for none, as on a first start.
    StartupLauncher(std::string executable, std::string installation, std::string settings);

    // The child's figures, timed from just before the child was created. Nothing,
    // with the reason in *error, when the child failed, printed no start-up time or changed
    // its settings folder.
    std::optional<Result> Run(std::string* error) const;

private:
    // Starts the child with its output on `outputFd`; its process id, or -1.
    int Spawn(int outputFd) const;
    static std::string ReadAll(int fd);
    static Result Parse(const std::string& output);
    static bool WaitFor(int pid, std::string* error);

    std::string m_executable;
    std::string m_installation;
    std::string m_settings;
};
