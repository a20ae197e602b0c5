#include "StartupLauncher.h"

#include "StartupClock.h"
#include "StartupConfigFolder.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

StartupLauncher::StartupLauncher(std::string executable, std::string installation,
                                 std::string settings)
    : m_executable(std::move(executable)),
      m_installation(std::move(installation)),
      m_settings(std::move(settings))
{
}

std::optional<StartupLauncher::Result> StartupLauncher::Run(std::string* error) const
{
    const StartupConfigFolder config(m_settings);
    if (config.Path().empty()) {
        *error = "cannot create a settings folder";
        return std::nullopt;
    }
    // Read by the child only; this process never looks at it.
    ::setenv("SPEKLA_CONFIG_DIR", config.Path().c_str(), 1);
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0) {
        *error = "cannot create a pipe";
        return std::nullopt;
    }
    const int pid = Spawn(pipe[1]);
    ::close(pipe[1]);
    const std::string output = pid > 0 ? ReadAll(pipe[0]) : std::string();
    ::close(pipe[0]);
    if (pid <= 0) {
        *error = "cannot start " + m_executable;
        return std::nullopt;
    }
    if (!WaitFor(pid, error)) {
        return std::nullopt;
    }
    Result result = Parse(output);
    if (result.figures.count("startup_ms") == 0) {
        *error = "the child printed no start-up time";
        return std::nullopt;
    }
    if (!config.IsUnchanged()) {
        *error = "the program changed its settings folder";
        return std::nullopt;
    }
    return result;
}

// The stamp is read just before the process is created; turning it into text takes well under
// a microsecond.
int StartupLauncher::Spawn(int outputFd) const
{
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
    std::string stamp = std::to_string(StartupClock::Now());
    char* argv[] = {const_cast<char*>(m_executable.c_str()), const_cast<char*>("--child"),
                    const_cast<char*>(m_installation.c_str()), stamp.data(), nullptr};
    pid_t pid = -1;
    const int failed = ::posix_spawn(&pid, m_executable.c_str(), &actions, nullptr, argv, environ);
    ::posix_spawn_file_actions_destroy(&actions);
    return failed == 0 ? pid : -1;
}

std::string StartupLauncher::ReadAll(int fd)
{
    std::string text;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR)) {
        text.append(buffer, static_cast<size_t>(std::max<ssize_t>(got, 0)));
    }
    return text;
}

bool StartupLauncher::WaitFor(int pid, std::string* error)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            *error = "lost the child process";
            return false;
        }
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        return true;
    }
    *error = WIFSIGNALED(status)
                 ? "the child died of signal " + std::to_string(WTERMSIG(status))
                 : "the child failed with status " + std::to_string(WEXITSTATUS(status));
    return false;
}

// "name: value" lines, and "# ..." lines as notes.
StartupLauncher::Result StartupLauncher::Parse(const std::string& output)
{
    Result result;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        const size_t colon = line.find(": ");
        if (line.rfind("# ", 0) == 0) {
            result.notes.push_back(line.substr(2));
        } else if (colon != std::string::npos) {
            char* end = nullptr;
            const double value = std::strtod(line.c_str() + colon + 2, &end);
            if (end != line.c_str() + colon + 2) {
                result.figures[line.substr(0, colon)] = value;
            }
        }
    }
    return result;
}
