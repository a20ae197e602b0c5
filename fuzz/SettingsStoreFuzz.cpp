#include "FuzzCheck.h"
#include "framework/RegistryKey.h"
#include "framework/SettingsStore.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <string>

namespace {

// Each visit handles the key's whole path, so a deep chain costs the square of its depth: the
// walk stops early enough to keep the run quick. Keys deeper than the walk reaches are checked
// by the tests of the key limits.
constexpr std::size_t kMaxKeysWalked = 300;
constexpr std::size_t kMaxPathBytesWalked = 4000;

std::size_t Depth(const std::string& path)
{
    return path.empty() ? 0
                        : static_cast<std::size_t>(std::count(path.begin(), path.end(), '\\')) + 1;
}

}  // namespace

// Any text loads; what is written then reloads to the same text; every key read is within the
// registry's limits, and every value listed is found by its name. A count stored in the file
// never costs more than the values there are.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SettingsStore store(SettingsStore::Root::CurrentUser, "");
    store.LoadText(std::string(reinterpret_cast<const char*>(data), size));
    const std::string once = store.Text();
    SettingsStore again(SettingsStore::Root::CurrentUser, "");
    again.LoadText(once);
    FUZZ_CHECK(again.Text() == once, "saved text reloads to the same text");

    std::deque<std::string> pending{""};
    std::size_t pathBytes = 0;
    for (std::size_t walked = 0; !pending.empty() && walked < kMaxKeysWalked; ++walked) {
        const std::string path = std::move(pending.front());
        pending.pop_front();
        if ((pathBytes += path.size()) > kMaxPathBytesWalked) {
            break;
        }
        FUZZ_CHECK(store.KeyExists(path), "a listed subkey exists");
        FUZZ_CHECK(Depth(path) <= SettingsStore::kMaxKeyDepth, "keys are at most 512 deep");
        FUZZ_CHECK(SettingsStore::IsValidKeyPath(path), "key names are at most 255 characters");
        const RegistryKey key(store, path);
        const auto names = key.ValueNames();
        for (const std::string& name : names) {
            FUZZ_CHECK(key.HasValue(name), "a listed value is found by its name");
        }
        const auto numbers = key.NumberedValues("File ", "", UINT32_MAX);
        FUZZ_CHECK(numbers.size() <= names.size(), "numbered values are values there are");
        FUZZ_CHECK(std::adjacent_find(numbers.begin(), numbers.end(),
                                      [](auto a, auto b) { return a >= b; }) == numbers.end(),
                   "numbered values ascend without repeats");
        for (const std::string& sub : key.SubKeyNames()) {
            pending.push_back(path.empty() ? sub : path + "\\" + sub);
        }
    }
    return 0;
}
