#include "app/TSDIDecFrame.h"

#include "command/CommandList.h"
#include "command/TComboEdit.h"
#include "command/TLineEdit.h"
#include "database/DataSources.h"
#include "database/IntensityFormat.h"
#include "database/TableArray.h"
#include "framework/RegistryKey.h"
#include "framework/SettingsStore.h"
#include "framework/UserMessage.h"
#include "framework/UserMessages.h"
#include "workspace/TSpeklaWindow.h"
#include "workspace/WindowPlacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

namespace {

constexpr const char* kFrameKey = "Software\\Spekla";
constexpr QSize kDefaultSize(1000, 700);

QLabel* AddGadget(QStatusBar* bar, const QString& text, const QString& hint, int characters)
{
    auto* gadget = new QLabel(text, bar);
    gadget->setAlignment(Qt::AlignCenter);
    gadget->setToolTip(hint);
    gadget->setFrameShape(QFrame::Panel);
    gadget->setFrameShadow(QFrame::Sunken);
    gadget->setMinimumWidth(gadget->fontMetrics().averageCharWidth() * (characters + 2));
    bar->addPermanentWidget(gadget);
    return gadget;
}

}  // namespace

TSDIDecFrame::TSDIDecFrame(TextTables& text, TableArray& tables, SettingsStore& store,
                           IdleDriver& idle)
    : m_tables(tables),
      m_store(store),
      m_workspace(new TSpeklaWindow(text, tables, store, idle, this))
{
    setWindowTitle("Spekla");
    setObjectName("Spekla");
    setCentralWidget(m_workspace);
    resize(kDefaultSize);
    CreateMenus();
    CreateStatusBar();
    CreateCommandBar(text);
}

void TSDIDecFrame::CreateMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* exit = file->addAction(tr("E&xit"), this, &QWidget::close);
    exit->setShortcut(QKeySequence::Quit);
    exit->setStatusTip(tr("Quit the program, keeping its settings"));
    m_sourcesMenu = menuBar()->addMenu(tr("&Sources"));
    m_sourcesMenu->setToolTipsVisible(true);
    m_windowMenu = menuBar()->addMenu(tr("&Window"));
}

void TSDIDecFrame::CreateStatusBar()
{
    MinIntensityGadget = AddGadget(statusBar(), "0", tr("Minimum intensity"), 7);
    ScanGadget = AddGadget(statusBar(), "0%", tr("Scan percent"), 5);
}

void TSDIDecFrame::CreateCommandBar(const TextTables& text)
{
    CommandBar = new QDockWidget(tr("Command Line"), this);
    CommandBar->setObjectName("Command Line");
    CommandBar->setAllowedAreas(Qt::TopDockWidgetArea | Qt::BottomDockWidgetArea);
    m_commandLine = new TComboEdit(CommandBar);
    const CommandList keywords = CommandList::ForElements(text);
    for (const Command& command : keywords.Entries()) {
        m_commandLine->AddCommand(command);
    }
    CommandBar->setWidget(m_commandLine);
    addDockWidget(Qt::BottomDockWidgetArea, CommandBar);
    connect(m_commandLine->LineEdit(), &TLineEdit::CommandEntered, m_workspace,
            &TSpeklaWindow::EvCommand);
    // Closing from inside the key handler of the box would destroy it under its own feet.
    connect(m_commandLine->LineEdit(), &TLineEdit::QuitRequested, this, &QWidget::close,
            Qt::QueuedConnection);
    QAction* toggle = CommandBar->toggleViewAction();
    toggle->setText(tr("&Command line"));
    toggle->setStatusTip(tr("Show or hide the command line"));
    m_windowMenu->addAction(toggle);
    m_workspace->setFocusProxy(m_commandLine);
}

void TSDIDecFrame::SetupWindow()
{
    DataSources::Restore(m_tables, m_store);
    m_workspace->SetupWindow(m_sourcesMenu);
    RestorePlacement();
}

void TSDIDecFrame::ShowAtStart()
{
    if (!m_placementRestored) {
        // "State" holds the show command of a first start; hiding the only window is refused.
        const auto state = m_store.CreateKey(kFrameKey).GetDword("State");
        if (state && *state == WindowPlacement::kShowMaximized) {
            setWindowState(windowState() | Qt::WindowMaximized);
        } else if (state && (*state == WindowPlacement::kShowMinimized ||
                             *state == WindowPlacement::kShowMinimizedNoActive ||
                             *state == WindowPlacement::kShowMinimizedInactive)) {
            setWindowState(windowState() | Qt::WindowMinimized);
        }
    }
    show();
    m_commandLine->setFocus();
}

void TSDIDecFrame::RestorePlacement()
{
    const auto bytes = m_store.CreateKey(kFrameKey).GetBinary("Placement", WindowPlacement::kSize);
    const auto placement = bytes ? WindowPlacement::FromBytes(*bytes) : std::nullopt;
    if (!placement) {
        return;
    }
    const QRect normal(QPoint(placement->left, placement->top),
                       QPoint(placement->right - 1, placement->bottom - 1));
    // A placement from another screen arrangement must not put the window out of reach.
    const QScreen* screen = QGuiApplication::screenAt(normal.center());
    if (screen == nullptr) {
        return;
    }
    setGeometry(normal);
    if (placement->showCommand == WindowPlacement::kShowMaximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    m_placementRestored = true;
}

void TSDIDecFrame::SavePlacement()
{
    const QRect normal = isMaximized() || isMinimized() ? normalGeometry() : geometry();
    WindowPlacement placement;
    placement.showCommand =
        isMaximized() ? WindowPlacement::kShowMaximized : WindowPlacement::kShowNormal;
    placement.left = normal.left();
    placement.top = normal.top();
    placement.right = normal.right() + 1;
    placement.bottom = normal.bottom() + 1;
    m_store.CreateKey(kFrameKey).SetBinary("Placement", placement.ToBytes());
}

void TSDIDecFrame::CleanupWindow()
{
    m_workspace->CleanupWindow();
    SavePlacement();
    DataSources::Save(m_tables, m_store);
}

void TSDIDecFrame::closeEvent(QCloseEvent* event)
{
    if (!m_cleanedUp) {
        CleanupWindow();
        m_cleanedUp = true;
    }
    event->accept();
}

void TSDIDecFrame::focusInEvent(QFocusEvent* event)
{
    QMainWindow::focusInEvent(event);
    m_commandLine->setFocus();
}

bool TSDIDecFrame::event(QEvent* event)
{
    if (event->type() == UserMessage::kType) {
        EvUserMessage(static_cast<const UserMessage&>(*event));
        return true;
    }
    return QMainWindow::event(event);
}

void TSDIDecFrame::EvUserMessage(const UserMessage& message)
{
    switch (message.Number()) {
        case WM_LINEARSTATE:
            ShowMinimumIntensity(message.First() != 0);
            break;
        case WM_STATUSTEXT:
            statusBar()->showMessage(message.Text());
            break;
        default:
            break;
    }
}

// The minimum intensity in the units of the data window's scale.
void TSDIDecFrame::ShowMinimumIntensity(bool linear)
{
    MinIntensityGadget->setText(
        QString::fromStdString(MinimumIntensityText(m_tables.MinIntensity(), linear)));
}

void TSDIDecFrame::ShowScanPercent(int percent)
{
    ScanGadget->setText(QString::number(percent) + "%");
}

QString TSDIDecFrame::ScanText() const
{
    return ScanGadget->text();
}

QString TSDIDecFrame::MinIntensityText() const
{
    return MinIntensityGadget->text();
}
