#include "app/TSpeklaApp.h"

#include "app/TSDIDecFrame.h"
#include "workspace/TSpeklaWindow.h"

#include <QDir>
#include <QMessageBox>

TSpeklaApp::TSpeklaApp() : m_store(SettingsStore::Root::CurrentUser)
{
    m_idle.AddClient([this](std::chrono::microseconds budget) { return IdleAction(budget); });
}

TSpeklaApp::~TSpeklaApp() = default;

void TSpeklaApp::InitInstance(const QString& directory)
{
    m_directory = QDir(directory).absolutePath();
    const std::string folder = QDir::toNativeSeparators(m_directory).toStdString();
    m_text.Load(folder);
    m_tables.ScanDirectory(folder);
    LoadSettings();
    m_frame = std::make_unique<TSDIDecFrame>(m_text, m_tables, m_store, m_idle);
    m_frame->SetupWindow();
    m_frame->ShowAtStart();
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

bool TSpeklaApp::IdleAction(std::chrono::microseconds budget)
{
    const bool workLeft = m_tables.Fill(budget);
    const int percent = static_cast<int>(m_tables.Progress() * 100.0);
    if (percent != LastPercent && m_frame) {
        m_frame->ShowScanPercent(percent);
        LastPercent = percent;
    }
    // The revision, not the count: a rebuild may refill to the same number of lines.
    const uint64_t revision = m_tables.DisplayList().Revision();
    if (revision != m_lastListRevision && m_frame) {
        m_lastListRevision = revision;
        m_frame->Workspace()->EvLineCount();
    }
    return workLeft;
}

bool TSpeklaApp::TermInstance()
{
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
    QMessageBox::warning(m_frame.get(), kName, what + "\n\n" + QString::fromStdString(error));
}
