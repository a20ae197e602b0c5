#include "app/TSpeklaApp.h"

#include "app/CommandFileRunner.h"
#include "app/DesktopFileTypes.h"
#include "app/ProgramOptions.h"
#include "app/TSDIDecFrame.h"
#include "command/CommandFile.h"
#include "framework/FolderLock.h"
#include "workspace/TSpeklaWindow.h"

#include <cstdio>
#include <filesystem>

#include <QCoreApplication>
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

void TSpeklaApp::InitInstance(const std::string& directory, const ProgramOptions& options)
{
    m_batch = options.batch;
    m_commandFile = options.commandFile;
    InitInstance(directory);
    ProcessCommandLine(options);
}

void TSpeklaApp::InitInstance(const std::string& directory)
{
    std::error_code ec;
    m_directory = std::filesystem::absolute(directory, ec).lexically_normal().string();
    if (m_directory.size() > 1 && m_directory.ends_with('/')) {
        m_directory.pop_back();
    }
    m_text.Load(m_directory);
    m_tables.ScanDirectory(m_directory);
    LoadSettings();
    m_frame = std::make_unique<TSDIDecFrame>(m_text, m_tables, m_store, m_idle);
    m_frame->SetupWindow();
    ReportMissingInstallation();
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

// A desktop entry is UTF-8 text: a folder whose name is not could only be named wrongly there.
void TSpeklaApp::RegisterFileTypes()
{
    const QString folder = QString::fromStdString(m_directory);
    if (folder.toStdString() != m_directory) {
        std::fprintf(stderr,
                     "spekla: the file types are not registered for this folder: its "
                     "name is not UTF-8, which a desktop entry cannot hold\n");
        return;
    }
    DesktopFileTypes::Register(folder);
}

// Without ELEMENTS there is nothing to show; saying so at once spares the user a search.
void TSpeklaApp::ReportMissingInstallation()
{
    if (m_text.HasElementsFile()) {
        return;
    }
    const std::string text = "No Spekla installation here (no ELEMENTS in " + m_directory +
                             "): make one with scripts/make-sample-data FOLDER";
    std::fprintf(stderr,
                 "spekla: %s, found in Spekla's sources, and start Spekla in FOLDER; "
                 "spekla-import adds tables to it\n",
                 text.c_str());
    m_frame->ShowWarning(QString::fromStdString(text));
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
    const auto lines = CommandFile::Read(m_commandFile, &error);
    if (!lines) {
        Tell(tr("The command file could not be read: %1").arg(QString::fromStdString(error)));
        return 1;
    }
    TSpeklaWindow* workspace = m_frame->Workspace();
    // Whoever started the run reads why it stopped on standard error, window or not.
    workspace->SetWarningSink(
        [this](const std::string& warning) { Tell(QString::fromStdString(warning)); });
    CommandFileRunner runner(
        *workspace, m_text, [this] { CompleteFill(); }, m_batch);
    const bool done = runner.Run(*lines);
    if (!m_batch) {
        workspace->SetWarningSink({});
    }
    if (!done) {
        Tell(QString::fromStdString(m_commandFile) + ", " + runner.Failure());
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
    return SaveElements() && saved;
}

// Under the installation's lock, so that the table maker never reads it half-way; a holder
// that does not let go within seconds is reported rather than waited for.
bool TSpeklaApp::SaveElements()
{
    if (!m_text.ElementsChanged()) {
        return true;
    }
    std::string error;
    const auto lock =
        FolderLock::AcquireWithin(m_directory, "spekla", std::chrono::seconds(5), &error);
    if (!lock || !m_text.WriteElements(m_directory + "/ELEMENTS", &error)) {
        ReportFailure(tr("Spekla could not save the element table."), error);
        return false;
    }
    return true;
}

void TSpeklaApp::ReportFailure(const QString& what, const std::string& error) const
{
    std::fprintf(stderr, "spekla: %s %s\n", qPrintable(what), error.c_str());
    if (m_batch) {
        return;
    }
    QMessageBox::warning(m_frame.get(), kName, what + "\n\n" + QString::fromStdString(error));
}
