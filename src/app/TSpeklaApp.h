#pragma once

#include "database/TableArray.h"
#include "database/TextTables.h"
#include "framework/IdleDriver.h"
#include "framework/SettingsStore.h"
#include "framework/THelpFileManager.h"

#include <chrono>
#include <memory>

#include <QObject>
#include <QString>

class TSDIDecFrame;

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

    // Loads the installation in `directory`, restores the settings and shows the main frame.
    void InitInstance(const QString& directory);
    // Saves the settings store and rewrites ELEMENTS; failures are reported to the user.
    // Returns false when something could not be saved.
    bool TermInstance();

    TSDIDecFrame* MainWindow() const { return m_frame.get(); }
    TableArray& Tables() { return m_tables; }
    TextTables& Text() { return m_text; }
    IdleDriver& Idle() { return m_idle; }

private:
    bool IdleAction(std::chrono::microseconds budget);
    void LoadSettings();
    void ReportFailure(const QString& what, const std::string& error) const;

    QString m_directory;
    TextTables m_text;
    TableArray m_tables{m_text};
    SettingsStore m_store;
    bool m_storeReadable = true;
    IdleDriver m_idle;
    THelpFileManager m_help;  // F1 and the help window, for the whole run
    std::unique_ptr<TSDIDecFrame> m_frame;
    int LastPercent = 0;
    uint64_t m_lastListRevision = 0;  // of the display list at the last idle step
};
