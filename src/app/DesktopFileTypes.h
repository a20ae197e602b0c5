#pragma once

class QString;
class SettingsStore;

// The file types as the desktop and the classes-root store see them, from the program's
// resources. Failures are ignored: the program works without its file types.
class DesktopFileTypes {
public:
    // The keys, the MIME package, the desktop entry (starting the program in `folder`) and the
    // icons, each written only when it differs; the desktop's caches are renewed when a file
    // changed and their tools are installed.
    static void Register(const QString& folder);
    // Removes what Register writes.
    static void Unregister();
    // Saves a changed store; a store left without keys takes its file away.
    static void SaveOrRemove(SettingsStore& store);
};
