#include "StartupConfigFolder.h"

#include "framework/SettingsStore.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

StartupConfigFolder::StartupConfigFolder(std::string settings) : m_settings(std::move(settings))
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / "spekla-startup-config-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        return;
    }
    m_path = pattern;
    if (!m_settings.empty()) {
        std::ofstream(SettingsFile(), std::ios::binary) << m_settings;
    }
}

StartupConfigFolder::~StartupConfigFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::string StartupConfigFolder::SettingsFile() const
{
    return m_path + "/" + SettingsStore::RootName(SettingsStore::Root::CurrentUser) + ".reg";
}

bool StartupConfigFolder::IsUnchanged() const
{
    std::error_code ec;
    const auto entries = std::distance(std::filesystem::directory_iterator(m_path, ec),
                                       std::filesystem::directory_iterator());
    if (ec) {
        return false;
    }
    if (m_settings.empty()) {
        return entries == 0;
    }
    std::ifstream in(SettingsFile(), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    return entries == 1 && text == m_settings;
}
