#include "support/KillDuringSave.h"

#include <csignal>
#include <fstream>
#include <iterator>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

std::string KillDuringSave(const std::string& path, const std::string& oldContent,
                           const std::string& newContent, const std::function<void()>& save,
                           int rounds, int maxDelayMicroseconds)
{
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> delay(0, maxDelayMicroseconds);
    for (int round = 0; round < rounds; ++round) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << oldContent;
        const pid_t child = ::fork();
        if (child == 0) {
            save();
            ::_exit(0);
        }
        if (child < 0) {
            return "fork failed";
        }
        ::usleep(static_cast<useconds_t>(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        const std::string seen = Read(path);
        if (seen != oldContent && seen != newContent) {
            return "round " + std::to_string(round) + " left " + std::to_string(seen.size()) +
                   " bytes, neither the old nor the new file";
        }
    }
    return {};
}
