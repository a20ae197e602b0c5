#include "app/TSDIDecFrame.h"

#include "app/BundledIcon.h"
#include "app/FrameToolBar.h"
#include "app/ModeIndicator.h"
#include "app/TProjectRCVersion.h"
#include "app/TSaveGraphDialog.h"
#include "app/TSpeklaAboutDlg.h"
#include "app/TSpeklaPrintout.h"
#include "command/CommandList.h"
#include "command/TComboEdit.h"
#include "command/TLineEdit.h"
#include "database/DataSources.h"
#include "database/IntensityFormat.h"
#include "database/TableArray.h"
#include "framework/SettingDescriptors.h"
#include "framework/SettingsStore.h"
#include "graph/TGraphWindow.h"
#include "peaks/TPeaksWindow.h"
#include "workspace/ActionTable.h"
#include "workspace/MenuCommands.h"
#include "workspace/TSpeklaWindow.h"
#include "workspace/WindowPlacement.h"
#include "workspace/WorkspaceSnapshot.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>

namespace {

constexpr std::string_view kFrameKey = "Software\\Spekla";
constexpr DwordSetting kShowState{kFrameKey, "State", WindowPlacement::kShowNormal};
constexpr BinarySetting kPlacement{kFrameKey, "Placement", WindowPlacement::kSize};
constexpr FlagSetting kPeaksShown{kFrameKey, "Peaks Window Active", false};
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
    : m_text(text),
      m_tables(tables),
      m_store(store),
      m_workspace(new TSpeklaWindow(text, tables, store, idle, this))
{
    setWindowTitle("Spekla");
    setObjectName("Spekla");
    setWindowIcon(BundledIcon("spekla"));
    setCentralWidget(m_workspace);
    resize(kDefaultSize);
    CreateMenus();
    addToolBar(Qt::TopToolBarArea, new FrameToolBar(m_workspace->Actions(), this));
    CreateStatusBar();
    CreateCommandBar(text);
    CreatePeaksBar(text, tables);
}

// The dock reports its hiding while the window is taken down, when the frame is no more.
TSDIDecFrame::~TSDIDecFrame()
{
    disconnect(m_commandBar, nullptr, this, nullptr);
    disconnect(m_peaksBar, nullptr, this, nullptr);
}

// Only what works today is offered; the menus take their items from the workspace's actions.
void TSDIDecFrame::CreateMenus()
{
    ActionTable& actions = m_workspace->Actions();
    QMenu* file = menuBar()->addMenu(tr("&File"));
    AddActions(file, {CM_LOADOVERLAY, CM_LOADELEMENTS, CM_SAVEELEMENTS, CM_EXPORT, 0, CM_SAVEGRAPH,
                      CM_PRINT, CM_PRINTSETUP, 0});
    QAction* exit = actions.Action(CM_EXIT);
    file->addAction(exit);
    exit->setShortcuts({exit->shortcut(), QKeySequence(QKeySequence::Quit)});
    QMenu* data = menuBar()->addMenu(tr("&Data"));
    AddActions(data, {CM_PREVIOUSPAGE, CM_PREVIOUS, CM_NEXT, CM_NEXTPAGE, CM_GOTOWAVELENGTH, 0,
                      CM_AIR, CM_VACUUM, CM_WAVENUMBER, 0, CM_DECIMALS, CM_LINEAR,
                      CM_MINIMUMINTENSITY, CM_VALENCES});
    QMenu* elements = menuBar()->addMenu(tr("&Elements"));
    AddActions(elements, {CM_PERIODIC, CM_ALPHABETICAL, CM_ATOMICNUMBER, 0, CM_SETRATIO,
                          CM_SELECTALL, CM_INVERTSELECTION});
    QMenu* graph = menuBar()->addMenu(tr("&Graph"));
    AddActions(graph, {CM_INCREASEINTENSITY,
                       CM_DECREASEINTENSITY,
                       CM_FITHEIGHT,
                       CM_FITHEIGHTAUTOMATICALLY,
                       0,
                       CM_SUMMATION,
                       CM_SUMMATIONONLY,
                       CM_USERATIOS,
                       CM_DISPLAYOVERLAY,
                       0,
                       CM_INCREASERANGE,
                       CM_DECREASERANGE,
                       CM_SCANONLYRANGE,
                       0,
                       CM_ORDER1,
                       CM_ORDER1 + 1,
                       CM_ORDER1 + 2,
                       CM_ORDER1 + 3,
                       CM_ORDER1 + 4,
                       CM_TREATORDERSASRATIOS,
                       0,
                       CM_GRAPHOPTIONS});
    m_sourcesMenu = menuBar()->addMenu(tr("&Sources"));
    m_sourcesMenu->setToolTipsVisible(true);
    m_windowMenu = menuBar()->addMenu(tr("&Window"));
    AddActions(m_windowMenu,
               {CM_ELEMENTWINDOW, CM_DATAWINDOW, CM_GRAPHWINDOW, CM_COMMANDLINE, CM_PEAKSWINDOW});
    QMenu* help = menuBar()->addMenu(tr("&Help"));
    AddActions(help, {CM_HELPCONTENTS, CM_HELPCOMMANDS, 0, CM_ABOUT});
    // Keys without a menu item of their own.
    addAction(actions.Action(CM_FORWARD100));
    addAction(actions.Action(CM_BACK100));
    for (QMenu* menu : {file, data, elements, graph, m_sourcesMenu, m_windowMenu, help}) {
        connect(menu, &QMenu::aboutToShow, this, &TSDIDecFrame::ApplyState);
    }
    connect(m_workspace, &TSpeklaWindow::FrameCommandRequested, this,
            &TSDIDecFrame::EvFrameCommand);
    connect(m_workspace, &TSpeklaWindow::StateChanged, this, &TSDIDecFrame::ApplyState);
    connect(m_workspace, &TSpeklaWindow::AboutRequested, this, &TSDIDecFrame::About);
    connect(m_workspace, &TSpeklaWindow::PrintRequested, this, &TSDIDecFrame::Print);
}

// Command 0 stands for a separator.
void TSDIDecFrame::AddActions(QMenu* menu, std::initializer_list<int> commandIds)
{
    for (int commandId : commandIds) {
        if (commandId == 0) {
            menu->addSeparator();
        } else {
            menu->addAction(m_workspace->Actions().Action(commandId));
        }
    }
}

// The commands that concern the frame itself, passed on by the workspace.
void TSDIDecFrame::EvFrameCommand(int commandId)
{
    if (commandId == CM_EXIT) {
        close();
    } else if (commandId == CM_COMMANDLINE) {
        m_commandBar->setVisible(m_commandBar->isHidden());
        ApplyState();
    } else if (commandId == CM_PEAKSWINDOW) {
        m_peaksBar->setVisible(m_peaksBar->isHidden());
        ApplyState();
    } else if (commandId == CM_PRINTSETUP) {
        PrintSetup();
    } else if (commandId == CM_SAVEGRAPH) {
        SaveGraph();
    }
}

QPrinter& TSDIDecFrame::Printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *m_printer;
}

// One page; the dialog offers no page range. A printer that cannot start is reported.
void TSDIDecFrame::Print()
{
    QPrinter& printer = Printer();
    printer.setDocName(windowTitle());
    QPrintDialog dialog(&printer, this);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    PrintTo(printer);
}

bool TSDIDecFrame::PrintTo(QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer)) {
        QMessageBox::warning(this, tr("Print Error"), tr("Error encountered during print"));
        return false;
    }
    const QRect page(QPoint(0, 0),
                     printer.pageLayout().paintRectPixels(printer.resolution()).size());
    TSpeklaPrintout(*m_workspace, m_text, m_tables).PrintPage(painter, page);
    return painter.end();
}

void TSDIDecFrame::PrintSetup()
{
    QPageSetupDialog dialog(&Printer(), this);
    dialog.exec();
}

void TSDIDecFrame::SaveGraph()
{
    if (const TGraphWindow* graph = m_workspace->GraphWindow()) {
        TSaveGraphDialog dialog(this, *graph);
        dialog.exec();
    }
}

void TSDIDecFrame::About()
{
    TSpeklaAboutDlg dialog(this, TProjectRCVersion());
    dialog.exec();
}

// Check marks, enabling and the status texts follow the state after every change.
void TSDIDecFrame::ApplyState()
{
    WorkspaceSnapshot state = m_workspace->Snapshot();
    state.commandLineShown = !m_commandBar->isHidden();
    state.peaksShown = !m_peaksBar->isHidden();
    m_workspace->Actions().Apply(state);
    ShowMinimumIntensity(state.linear);
    // Indicators: greyed while off; the scale names itself.
    m_ratiosGadget->setEnabled(state.useRatios);
    m_summationGadget->setEnabled(state.graphShown && state.summation != SummationMode::Off);
    m_scaleGadget->setText(state.linear ? "LIN" : "LOG");
}

void TSDIDecFrame::CreateStatusBar()
{
    m_spectrumGadget =
        AddGadget(statusBar(), "", tr("Synthetic spectrum: profile, velocity and temperature"), 0);
    m_spectrumGadget->hide();
    connect(
        m_workspace, &TSpeklaWindow::SpectrumStatusChanged, this,
        [this](const QString& text) {
            m_spectrumGadget->setText(text);
            m_spectrumGadget->setVisible(!text.isEmpty());
        },
        Qt::QueuedConnection);
    m_minIntensityGadget = AddGadget(statusBar(), "0", tr("Minimum intensity"), 7);
    m_heightGadget = AddGadget(statusBar(), "", tr("Height of graph"), 7);
    m_rangeGadget = AddGadget(statusBar(), "", tr("Graph range"), 9);
    m_scanGadget = AddGadget(statusBar(), "0%", tr("Scan percent"), 5);
    m_ratiosGadget = AddGadget(statusBar(), "RAT", tr("Element ratios are in use"), 3);
    m_summationGadget = AddGadget(statusBar(), "SUM", tr("The summation curve is shown"), 3);
    m_scaleGadget = AddGadget(statusBar(), "LOG", tr("Intensity scale of the list"), 3);
    // Queued: the graph reports from inside its drawing pass.
    connect(
        m_workspace, &TSpeklaWindow::StatusTextChanged, statusBar(),
        [this](const QString& text) { statusBar()->showMessage(text); }, Qt::QueuedConnection);
    connect(
        m_workspace, &TSpeklaWindow::GraphStatusChanged, this,
        [this](const QString& height, const QString& range) {
            m_heightGadget->setText(height);
            m_rangeGadget->setText(range);
        },
        Qt::QueuedConnection);
    connect(m_workspace, &TSpeklaWindow::ScanPercentChanged, this, &TSDIDecFrame::ShowScanPercent);
    for (auto [text, key] : {std::pair{tr("Up"), Qt::Key_Up}, {tr("Down"), Qt::Key_Down}}) {
        auto* indicator = new ModeIndicator(text, key, statusBar());
        indicator->setToolTip(
            tr("Switches on and off at each press of the %1 arrow key").arg(text));
        statusBar()->addPermanentWidget(indicator);
    }
}

void TSDIDecFrame::CreateCommandBar(const TextTables& text)
{
    m_commandBar = new QDockWidget(tr("Command Line"), this);
    m_commandBar->setObjectName("Command Line");
    m_commandBar->setAllowedAreas(Qt::TopDockWidgetArea | Qt::BottomDockWidgetArea);
    m_commandLine = new TComboEdit(m_commandBar);
    m_commandLine->SetKeywords(CommandList::ForElements(text));
    m_commandBar->setWidget(m_commandLine);
    addDockWidget(Qt::BottomDockWidgetArea, m_commandBar);
    connect(m_commandLine->LineEdit(), &TLineEdit::CommandEntered, m_workspace,
            &TSpeklaWindow::EvCommand);
    // Closing from inside the key handler of the box would destroy it under its own feet.
    connect(m_commandLine->LineEdit(), &TLineEdit::QuitRequested, this, &QWidget::close,
            Qt::QueuedConnection);
    connect(m_commandLine->LineEdit(), &TLineEdit::NoMatch, this,
            [this](const QString& word) { ShowWarning(tr("No match: %1").arg(word)); });
    connect(m_commandBar, &QDockWidget::visibilityChanged, this, &TSDIDecFrame::ApplyState);
    connect(m_workspace, &TSpeklaWindow::ElementRenamed, m_commandLine->LineEdit(),
            &TLineEdit::RenameElement);
    // The menus' keys win over the command line's own editing keys while they are enabled.
    m_commandLine->LineEdit()->SetShortcutFilter([this](const QKeySequence& keys) {
        return m_workspace->Actions().HasEnabledShortcut(keys);
    });
    m_workspace->setFocusProxy(m_commandLine);
}

// The Peaks pane, on the right; shown after an identification, and at start when it was.
void TSDIDecFrame::CreatePeaksBar(const TextTables& text, const TableArray& tables)
{
    m_peaksBar = new QDockWidget(tr("Peaks"), this);
    m_peaksBar->setObjectName("Peaks");
    auto* peaks = new TPeaksWindow(text, tables, m_peaksBar);
    m_peaksBar->setWidget(peaks);
    addDockWidget(Qt::RightDockWidgetArea, m_peaksBar);
    m_peaksBar->hide();
    connect(m_workspace, &TSpeklaWindow::IdentificationChanged, this, [this, peaks] {
        peaks->Show(m_workspace->LastIdentification());
        if (m_workspace->LastIdentification() != nullptr) {
            m_peaksBar->show();
        }
        ApplyState();
    });
    connect(peaks, &TPeaksWindow::WavelengthChosen, m_workspace, &TSpeklaWindow::GoToWavelength);
    connect(m_peaksBar, &QDockWidget::visibilityChanged, this, &TSDIDecFrame::ApplyState);
}

void TSDIDecFrame::SetupWindow()
{
    DataSources::Restore(m_tables, m_store);
    m_workspace->SetupWindow(m_sourcesMenu);
    RestorePlacement();
    m_peaksBar->setVisible(kPeaksShown.Read(m_store));
}

void TSDIDecFrame::ShowAtStart()
{
    if (!m_placementRestored) {
        // "State" holds the show command of a first start; hiding the only window is refused.
        const uint32_t state = kShowState.Read(m_store);
        if (state == WindowPlacement::kShowMaximized) {
            setWindowState(windowState() | Qt::WindowMaximized);
        } else if (state == WindowPlacement::kShowMinimized ||
                   state == WindowPlacement::kShowMinimizedNoActive ||
                   state == WindowPlacement::kShowMinimizedInactive) {
            setWindowState(windowState() | Qt::WindowMinimized);
        }
    }
    show();
    m_commandLine->setFocus();
}

void TSDIDecFrame::RestorePlacement()
{
    const auto bytes = kPlacement.Stored(m_store);
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
    kPlacement.Write(m_store, placement.ToBytes());
}

void TSDIDecFrame::CleanupWindow()
{
    m_workspace->CleanupWindow();
    SavePlacement();
    kPeaksShown.Write(m_store, !m_peaksBar->isHidden());
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

// The minimum intensity in the units of the data window's scale.
void TSDIDecFrame::ShowMinimumIntensity(bool linear)
{
    m_minIntensityGadget->setText(
        QString::fromStdString(MinimumIntensityText(m_tables.MinIntensity(), linear)));
}

void TSDIDecFrame::ShowWarning(const QString& text)
{
    statusBar()->showMessage(text);
}

void TSDIDecFrame::ShowScanPercent(int percent)
{
    m_scanGadget->setText(QString::number(percent) + "%");
}

QString TSDIDecFrame::ScanText() const
{
    return m_scanGadget->text();
}

QString TSDIDecFrame::MinIntensityText() const
{
    return m_minIntensityGadget->text();
}
