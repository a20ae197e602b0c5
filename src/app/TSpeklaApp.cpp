#include "app/TSpeklaApp.h"

#include "app/CommandFileRunner.h"
#include "app/DesktopFileTypes.h"
#include "app/ProgramOptions.h"
#include "app/TSDIDecFrame.h"
#include "command/CommandFile.h"
#include "workspace/TSpeklaWindow.h"

#include <cstdio>

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <QStringList>

TSpeklaApp::TSpeklaApp() : m_store(SettingsStore::Root::CurrentUser)
{
    m_idle.AddClient([this](std::chrono::microseconds budget) { return IdleAction(budget); });
    // A table copied over or replaced while the program runs is read again; looking costs two
    // stat calls a table.
    m_tableWatch.setInterval(1000);
    connect(&m_tableWatch, &QTimer::timeout, this, &TSpeklaApp::CheckTableFiles);
}

TSpeklaApp::~TSpeklaApp() = default;

void TSpeklaApp::InitInstance(const QString& directory, const ProgramOptions& options)
{
    m_batch = options.batch;
    m_commandFile = QString::fromStdString(options.commandFile);
    InitInstance(directory);
    ProcessCommandLine(options);
}

void TSpeklaApp::InitInstance(const QString& directory)
{
    m_directory = QDir(directory).absolutePath();
    const std::string folder = QDir::toNativeSeparators(m_directory).toStdString();
    m_text.Load(folder);
    m_tables.ScanDirectory(folder);
    LoadSettings();
    m_frame = std::make_unique<TSDIDecFrame>(m_text, m_tables, m_store, m_idle);
    m_frame->SetupWindow();
    ReportTableWarnings();
    m_tableWatch.start();
    if (m_batch) {
        m_frame->Workspace()->SetWarningSink(
            [this](const std::string& warning) { Tell(QString::fromStdString(warning)); });
    } else {
        m_frame->ShowAtStart();
    }
}

// After the window is shown, as a file manager expects of the files it passes.
void TSpeklaApp::ProcessCommandLine(const ProgramOptions& options)
{
    for (const std::string& message : options.messages) {
        Tell(QString::fromStdString(message));
    }
    if (options.unregister) {
        UnregisterFileTypes();
        return;
    }
    LoadFiles(options);
    // A batch run leaves the desktop as it is.
    if (!m_batch) {
        RegisterFileTypes();
    }
}

void TSpeklaApp::LoadFiles(const ProgramOptions& options)
{
    for (const ProgramOptions::FileToLoad& file : options.files) {
        m_frame->Workspace()->OpenFile(file.path,
                                       file.kind == ProgramOptions::FileKind::ElementFile);
    }
}

void TSpeklaApp::RegisterFileTypes()
{
    DesktopFileTypes::Register(m_directory);
}

// The settings go with the file types; the windows would write theirs back at exit, so this
// run saves nothing.
void TSpeklaApp::UnregisterFileTypes()
{
    DesktopFileTypes::Unregister();
    m_store.DeleteKey("Software\\Spekla");
    if (m_store.SubKeyNames("Software").empty() && m_store.ValueNames("Software").empty()) {
        m_store.DeleteKey("Software");
    }
    DesktopFileTypes::SaveOrRemove(m_store);
    m_saveAtExit = false;
    std::fprintf(stderr, "spekla: file types and settings removed; this run saves nothing\n");
}

int TSpeklaApp::RunCommandFile()
{
    std::string error;
    const auto lines = CommandFile::Read(m_commandFile.toStdString(), &error);
    if (!lines) {
        Tell(tr("The command file could not be read: %1").arg(QString::fromStdString(error)));
        return 1;
    }
    CommandFileRunner runner(
        *m_frame->Workspace(), m_text, [this] { CompleteFill(); }, m_batch);
    const bool done = runner.Run(*lines);
    if (!done) {
        Tell(m_commandFile + ", " + runner.Failure());
    }
    if (runner.QuitRequested() && !m_batch) {
        m_frame->close();
    }
    return done ? 0 : 1;
}

// The other idle clients get one turn after, so that the panes follow the full list.
void TSpeklaApp::CompleteFill()
{
    while (IdleAction(std::chrono::seconds(1))) {
    }
    m_idle.RunTurn();
}

void TSpeklaApp::Tell(const QString& text) const
{
    std::fprintf(stderr, "spekla: %s\n", qPrintable(text));
    if (!m_batch) {
        QMessageBox::warning(m_frame.get(), kName, text);
    }
}

void TSpeklaApp::LoadSettings()
{
    std::string error;
    m_storeReadable = m_store.Load(&error);
    if (!m_storeReadable) {
        // Start on defaults, and leave the file alone at exit rather than overwrite it.
        ReportFailure(tr("Spekla could not read its settings and starts with defaults."), error);
    }
}

void TSpeklaApp::CheckTableFiles()
{
    if (m_tables.CheckFiles() && m_frame) {
        m_frame->Workspace()->RefreshViews();
    }
    ReportTableWarnings();
}

// Each problem of a table once: a line on standard error, and the status bar.
void TSpeklaApp::ReportTableWarnings()
{
    const std::vector<std::string> warnings = m_tables.TakeWarnings();
    QStringList lines;
    for (const std::string& warning : warnings) {
        std::fprintf(stderr, "spekla: %s\n", warning.c_str());
        lines.append(QString::fromStdString(warning));
    }
    if (!lines.isEmpty() && m_frame) {
        m_frame->ShowWarning(lines.join("; "));
    }
}

bool TSpeklaApp::IdleAction(std::chrono::microseconds budget)
{
    const uint64_t settings = m_tables.SettingsRevision();
    const bool workLeft = m_tables.Fill(budget);
    // The fill left out a damaged table, or read a changed one again: the graph too.
    if (m_tables.SettingsRevision() != settings && m_frame) {
        m_frame->Workspace()->RefreshViews();
    }
    ReportTableWarnings();
    return workLeft;
}

bool TSpeklaApp::TermInstance()
{
    if (!m_saveAtExit || m_batch) {
        return true;
    }
    bool saved = true;
    std::string error;
    if (m_storeReadable && !m_store.Save(&error)) {
        ReportFailure(tr("Spekla could not save its settings."), error);
        saved = false;
    }
    const std::string elements = QDir(m_directory).filePath("ELEMENTS").toStdString();
    if (!m_text.WriteElements(elements, &error)) {
        ReportFailure(tr("Spekla could not save the element table."), error);
        saved = false;
    }
    return saved;
}

void TSpeklaApp::ReportFailure(const QString& what, const std::string& error) const
{
    if (m_batch) {
        Tell(what + " " + QString::fromStdString(error));
        return;
    }
    QMessageBox::warning(m_frame.get(), kName, what + "\n\n" + QString::fromStdString(error));
}
