#pragma once

#include "database/TableArray.h"
#include "database/TextTables.h"
#include "framework/IdleDriver.h"
#include "framework/SettingsStore.h"
#include "framework/THelpFileManager.h"

#include <chrono>
#include <memory>
#include <string>

#include <QObject>
#include <QString>
#include <QTimer>

class TSDIDecFrame;
struct ProgramOptions;

// The application object: the line database of one installation (a folder holding ELEMENTS,
// DESCRIPT, REFERENC and the .swt tables), the settings store, the idle-time fill of the line
// list and the main frame. Start with InitInstance, end with TermInstance after the frame has
// closed.
class TSpeklaApp : public QObject {
    Q_OBJECT

public:
    static constexpr const char* kName = "Spekla";

    TSpeklaApp();
    ~TSpeklaApp() override;

    // Loads the installation in `directory` (its name as the system gives it, in bytes),
    // restores the settings and shows the main frame.
    void InitInstance(const std::string& directory);
    // The same as the program starts it: not shown for a batch run, then the program options
    // are carried out and the file types registered.
    void InitInstance(const std::string& directory, const ProgramOptions& options);
    // The command file of --run or --batch: 0 when every command was carried out, 1 when one
    // was refused or the file could not be read.
    int RunCommandFile();
    // Saves the settings store and rewrites ELEMENTS when an element was renamed (holding the
    // installation's lock); failures are reported to the user. A run that unregistered, and a
    // batch run, save nothing. Returns false when something could not be saved.
    bool TermInstance();

    TSDIDecFrame* MainWindow() const { return m_frame.get(); }
    TableArray& Tables() { return m_tables; }
    TextTables& Text() { return m_text; }
    IdleDriver& Idle() { return m_idle; }

private:
    bool IdleAction(std::chrono::microseconds budget);
    void CheckTableFiles();
    void ReportTableWarnings();
    void LoadSettings();
    void ReportFailure(const QString& what, const std::string& error) const;
    void ReportMissingInstallation();
    bool SaveElements();
    void ProcessCommandLine(const ProgramOptions& options);
    void LoadFiles(const ProgramOptions& options);
    void RegisterFileTypes();
    void UnregisterFileTypes();
    // A message for the user: standard error, and a message box when there is a window.
    void Tell(const QString& text) const;
    void CompleteFill();

    std::string m_directory;
    std::string m_commandFile;
    bool m_batch = false;
    bool m_saveAtExit = true;
    TextTables m_text;
    TableArray m_tables{m_text};
    SettingsStore m_store;
    bool m_storeReadable = true;
    IdleDriver m_idle;
    THelpFileManager m_help;  // F1 and the help window, for the whole run
    std::unique_ptr<TSDIDecFrame> m_frame;
    QTimer m_tableWatch;
};
