#pragma once

#include <string>

// A child's settings folder, in the temporary folder: empty, as on a first start, or holding the
// settings file an earlier session would have saved. Removed with the object.
class StartupConfigFolder {
public:
    // `settings`: the text of the settings file; empty for none. Path() is empty when the folder
    // could not be made.
    explicit StartupConfigFolder(std::string settings);
    ~StartupConfigFolder();
    StartupConfigFolder(const StartupConfigFolder&) = delete;
    StartupConfigFolder& operator=(const StartupConfigFolder&) = delete;

    const std::string& Path() const { return m_path; }
    // Whether the folder still holds what it was given and nothing else.
    bool IsUnchanged() const;

private:
    std::string SettingsFile() const;

    std::string m_path;
    std::string m_settings;
};
