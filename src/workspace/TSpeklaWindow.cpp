#include "workspace/TSpeklaWindow.h"

#include "analysis/Identification.h"
#include "analysis/OverlayFile.h"
#include "command/CommandNumbers.h"
#include "database/DataSources.h"
#include "database/IntensityFormat.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "database/WavelengthFormat.h"
#include "datawin/TDataWindow.h"
#include "elements/TPeriodicWindow.h"
#include "framework/IdleDriver.h"
#include "framework/NumberFormat.h"
#include "framework/SettingDescriptors.h"
#include "framework/StringUtil.h"
#include "framework/THelpFileManager.h"
#include "framework/WaitCursor.h"
#include "graph/TGraphWindow.h"
#include "workspace/ActionTable.h"
#include "workspace/ElementSelectionFile.h"
#include "workspace/ExportCommand.h"
#include "workspace/IdentificationView.h"
#include "workspace/MenuCommandHandler.h"
#include "workspace/MenuCommands.h"
#include "workspace/PaneLayout.h"
#include "workspace/TLineDetailsDialog.h"
#include "workspace/WorkspaceSnapshot.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QMenu>
#include <QMessageBox>

namespace {

// A summation mode for every graph pane made, when the user put one in the settings; the program
// never writes it.
constexpr DwordSetting kUseSummation{"Software\\Spekla\\Graph Window", "Use Summation", 0, 0,
                                     static_cast<uint32_t>(SummationMode::DisplayOnly)};

}  // namespace

TSpeklaWindow::TSpeklaWindow(TextTables& text, TableArray& tables, SettingsStore& store,
                             IdleDriver& idle, QWidget* parent)
    : PaneSplitter(parent),
      m_text(text),
      m_tables(tables),
      m_store(store),
      m_idle(idle),
      m_interpreter(text, tables, *this),
      m_actions(new ActionTable(this)),
      m_panes(*this),
      m_menuCommands(std::make_unique<MenuCommandHandler>(*this, m_interpreter, text, tables))
{
    setObjectName("Workspace");
    connect(m_actions, &ActionTable::Triggered, this, &TSpeklaWindow::EvMenuCommand);
    // Watches what the idle fill did; it never has work of its own.
    m_idle.AddClient(this, [this](std::chrono::microseconds) {
        WatchList();
        return false;
    });
    SetPaneFactory(kDataPane, [this] { return MakeDataWindow(); });
    SetPaneFactory(kGraphPane, [this] { return MakeGraphWindow(); });
    SetPaneFactory(kElementPane, [this] { return MakeElementWindow(); });
}

TSpeklaWindow::~TSpeklaWindow() = default;

void TSpeklaWindow::SetupWindow(QMenu* sourcesMenu)
{
    m_state.Restore(m_store, m_text, m_tables);
    // Made in the order data, element, graph, each placed by the rules of the toggles.
    const bool element = m_state.elementWindowActive;
    const bool graph = m_state.graphWindowActive;
    if (m_state.dataWindowActive) {
        ToggleDataWindow();
    }
    if (element) {
        ToggleElementWindow();
    }
    if (graph) {
        ToggleGraphWindow();
    }
    RestoreProportions(QString::fromStdString(m_state.paneProportions));
    BuildSourcesMenu(sourcesMenu);
    RestoreScanRange();
    RestoreOverlay();
    SelectionChanged();
    ShowGraphStatus();
    emit StateChanged();
}

// The overlay of the last run comes back; one whose file has gone is named in the status bar,
// not in a box, and forgotten.
void TSpeklaWindow::RestoreOverlay()
{
    if (m_state.overlayFileName.empty()) {
        return;
    }
    OverlayFile::Result read = ReadOverlay(m_state.overlayFileName);
    if (read.status != OverlayFile::Status::Read) {
        emit StatusTextChanged(
            tr("The overlay %1 of the last run could not be read; it is not shown")
                .arg(QString::fromStdString(m_state.overlayFileName)));
        m_state.overlayFileName.clear();
        return;
    }
    m_overlay = std::move(read.points);
}

// The scan is limited only when the graph that gives its range is there.
void TSpeklaWindow::RestoreScanRange()
{
    if (GraphView* graph = Graph()) {
        m_tables.LimitScanTo(m_state.scanRange != 0 ? graph->Range() : 0.0);
    }
}

// The list asks for moves; the workspace makes them, so typed and menu moves go the same way.
QWidget* TSpeklaWindow::MakeDataWindow()
{
    auto* data = new TDataWindow(m_text, m_tables, m_store);
    connect(data, &TDataWindow::MoveRequested, this, [this](int groups) {
        groups > 0 ? MoveDown(groups) : MoveUp(-groups);
        emit StateChanged();
    });
    connect(data, &TDataWindow::PageRequested, this, [this](int direction) {
        Page(direction);
        emit StateChanged();
    });
    connect(data, &TDataWindow::SlotChosen, this, [this](uint32_t slot) {
        if (m_tables.MoveToSlot(slot)) {
            RefreshViews();
        }
        emit StateChanged();
    });
    connect(data, &TDataWindow::LinearToggleRequested, this, [this] { EvMenuCommand(CM_LINEAR); });
    connect(data, &TDataWindow::SourceEdited, this, &TSpeklaWindow::RenewSourceItem);
    connect(data, &TDataWindow::LineDetailsRequested, this, &TSpeklaWindow::ShowLineDetails);
    return data;
}

QWidget* TSpeklaWindow::MakeGraphWindow()
{
    auto* graph = new TGraphWindow(m_text, m_tables, m_store, m_idle);
    connect(graph, &TGraphWindow::LineChosen, this, &TSpeklaWindow::GoToWavelength);
    connect(graph, &TGraphWindow::SummationToggleRequested, this,
            [this] { EvMenuCommand(CM_SUMMATION); });
    connect(graph, &TGraphWindow::OptionsRequested, this,
            [this] { EvMenuCommand(CM_GRAPHOPTIONS); });
    connect(graph, &TGraphWindow::OverlayToggleRequested, this,
            [this] { EvMenuCommand(CM_DISPLAYOVERLAY); });
    connect(graph, &TGraphWindow::ProgressTextChanged, this, &TSpeklaWindow::StatusTextChanged);
    connect(graph, &TGraphWindow::HeightFitted, this, &TSpeklaWindow::ShowGraphStatus);
    connect(graph, &TGraphWindow::SpectrumStatusChanged, this,
            &TSpeklaWindow::SpectrumStatusChanged);
    connect(graph, &TGraphWindow::VelocityChanged, this, &TSpeklaWindow::ShareVelocity);
    connect(graph, &TGraphWindow::RangeChanged, this, &TSpeklaWindow::GraphRangeChanged);
    connect(graph, &TGraphWindow::LineDetailsRequested, this, &TSpeklaWindow::ShowLineDetails);
    graph->SetOverlay(&m_overlay);
    graph->SetPeakMarks(&m_peakMarks);
    if (const std::optional<uint32_t> mode = kUseSummation.Stored(m_store)) {
        graph->SetSummation(static_cast<SummationMode>(*mode));
    }
    return graph;
}

QWidget* TSpeklaWindow::MakeElementWindow()
{
    auto* elements = new TPeriodicWindow(m_text, m_store);
    connect(elements, &TPeriodicWindow::ElementsChanged, this, [this] {
        SelectionChanged();
        emit StateChanged();
    });
    connect(elements, &TPeriodicWindow::ElementRenamed, this, &TSpeklaWindow::ElementRenamed);
    return elements;
}

TGraphWindow* TSpeklaWindow::GraphWindow() const
{
    return qobject_cast<TGraphWindow*>(Pane(kGraphPane));
}

// A limited scan keeps to the graph's range whenever the range changes.
void TSpeklaWindow::GraphRangeChanged()
{
    GraphView* graph = Graph();
    if (graph != nullptr && m_tables.IsScanLimited()) {
        m_tables.LimitScanTo(graph->Range());
        m_idle.Wake();
    }
    ShowGraphStatus();
}

// The list keeps rest wavelengths; its details say where the graph's velocity puts them.
void TSpeklaWindow::ShareVelocity()
{
    if (TDataWindow* data = DataWindow()) {
        data->SetVelocity(GraphWindow() ? GraphWindow()->Settings().spectrum.velocity : 0.0);
    }
}

void TSpeklaWindow::ShowLineDetails(const DisplayWaveData& line, double velocity)
{
    TLineDetailsDialog::Show(this, line, m_tables.Settings(), velocity);
}

TDataWindow* TSpeklaWindow::DataWindow() const
{
    return qobject_cast<TDataWindow*>(Pane(kDataPane));
}

void TSpeklaWindow::CleanupWindow()
{
    if (TDataWindow* data = DataWindow()) {
        data->CleanupWindow();
    }
    if (TGraphWindow* graph = GraphWindow()) {
        graph->CleanupWindow();
    }
    if (auto* elements = qobject_cast<TPeriodicWindow*>(Pane(kElementPane))) {
        elements->CleanupWindow();
    }
    m_state.scanRange = m_tables.IsScanLimited() ? 1 : 0;
    m_state.paneProportions = Proportions().toStdString();
    m_state.Save(m_store, m_text, m_tables);
}

WorkspaceSnapshot TSpeklaWindow::Snapshot() const
{
    WorkspaceSnapshot state;
    state.elementShown = IsPaneShown(kElementPane);
    state.dataShown = IsPaneShown(kDataPane);
    state.graphShown = IsPaneShown(kGraphPane);
    const ValidRecordsArray& list = m_tables.DisplayList();
    // A line listed by several sources is one step: its copies do not count as lines beyond it.
    state.atFirstLine = !list.CanMove(false);
    state.atLastLine = !list.CanMove(true);
    state.unitMode = m_tables.UnitMode();
    state.linear = m_tables.Linear();
    state.useRatios = m_tables.UseRatios();
    state.scanLimited = m_tables.IsScanLimited();
    for (size_t i = 0; i < m_tables.FileCount(); ++i) {
        state.sourcesActive.push_back(m_tables.IsActive(i));
    }
    state.overlayLoaded = !m_overlay.empty();
    if (const auto* elements = dynamic_cast<const ElementView*>(Pane(kElementPane))) {
        state.layout = elements->Layout();
    }
    if (const auto* graph = dynamic_cast<const GraphView*>(Pane(kGraphPane))) {
        state.summation = graph->Summation();
        state.treatOrderAsRatio = graph->TreatOrderAsRatio();
        state.displayOverlay = graph->DisplayOverlay();
        state.fitHeight = graph->FitsHeightAutomatically();
        for (int order = 1; order <= GraphView::kOrders; ++order) {
            state.ordersDisplayed[static_cast<size_t>(order - 1)] = graph->IsOrderDisplayed(order);
        }
    }
    return state;
}

bool TSpeklaWindow::IsPaneShown(int id) const
{
    return Pane(static_cast<PaneId>(id)) != nullptr;
}

QWidget* TSpeklaWindow::Pane(PaneId id) const
{
    return m_panes.Pane(id);
}

GraphView* TSpeklaWindow::Graph()
{
    return dynamic_cast<GraphView*>(Pane(kGraphPane));
}

ElementView* TSpeklaWindow::Elements()
{
    return dynamic_cast<ElementView*>(Pane(kElementPane));
}

void TSpeklaWindow::SetPaneFactory(PaneId id, PaneFactory factory)
{
    m_panes.SetFactory(id, std::move(factory));
}

void TSpeklaWindow::ToggleElementWindow()
{
    TogglePane(kElementPane);
}

void TSpeklaWindow::ToggleDataWindow()
{
    TogglePane(kDataPane);
}

void TSpeklaWindow::ToggleGraphWindow()
{
    TogglePane(kGraphPane);
    if (IsPaneShown(kGraphPane)) {
        ShowGraphStatus();
    } else {
        // No graph: no height or range to show, and no drawing in progress.
        emit GraphStatusChanged(QString(), QString());
        emit StatusTextChanged(QString());
    }
}

// A pane that could not be made keeps its stored flag, so that a later start still shows it.
void TSpeklaWindow::TogglePane(PaneId id)
{
    const std::optional<bool> shown = m_panes.Toggle(id);
    if (shown) {
        bool* flags[] = {&m_state.elementWindowActive, &m_state.dataWindowActive,
                         &m_state.graphWindowActive};
        *flags[id] = *shown;
    }
    ShareVelocity();
}

int TSpeklaWindow::EvCommand(int commandId, const QString& keyword, const QString& argument)
{
    return RunCommand(commandId, keyword.toStdString(), argument.toStdString());
}

int TSpeklaWindow::RunCommand(int commandId, const std::string& keyword,
                              const std::string& argument)
{
    const CommandResult result = m_interpreter.Execute(commandId, keyword, argument);
    ShowWarning(result);
    emit StateChanged();
    return result.acted ? 1 : 0;
}

void TSpeklaWindow::ShowWarning(const CommandResult& result)
{
    if (result.warning.empty()) {
        return;
    }
    if (m_warningSink) {
        m_warningSink(result.warning);
        return;
    }
    const auto icon = result.icon == CommandResult::Icon::Exclamation ? QMessageBox::Warning
                                                                      : QMessageBox::NoIcon;
    QMessageBox box(icon, tr("Warning"), QString::fromStdString(result.warning), QMessageBox::Ok,
                    this);
    box.exec();
}

void TSpeklaWindow::SetWarningSink(std::function<void(const std::string&)> sink)
{
    m_warningSink = std::move(sink);
}

void TSpeklaWindow::OpenFile(const std::string& fileName, bool elementFile)
{
    if (elementFile) {
        LoadElementFile(fileName);
        SelectionChanged();
    } else {
        LoadOverlay(fileName);
    }
    emit StateChanged();
}

void TSpeklaWindow::EvMenuCommand(int commandId)
{
    if (!m_menuCommands->Run(commandId)) {
        emit FrameCommandRequested(commandId);
    }
    emit StateChanged();
}

// A page of the list when it is shown, else half the graph's range, in the table's own units
// (the range is in Å whatever units are shown).
void TSpeklaWindow::Page(int direction)
{
    if (TDataWindow* data = DataWindow()) {
        MoveDown(direction * data->LinesPerPage());
    } else if (GraphView* graph = Graph()) {
        const double step = std::trunc(graph->Range() * 500.0) * direction;
        const double target = m_tables.DisplayList().CurrentWavelength() + step;
        m_tables.GoToWavelength(static_cast<int32_t>(
            std::clamp(target, 0.0, static_cast<double>(TableArray::kFullSpan))));
        RefreshViews();
    }
}

// The revision, not the count: a rebuild may refill to the same number of lines.
void TSpeklaWindow::WatchList()
{
    const int percent = static_cast<int>(m_tables.Progress() * 100.0);
    if (percent != m_scanPercent) {
        m_scanPercent = percent;
        emit ScanPercentChanged(percent);
    }
    const uint64_t revision = m_tables.DisplayList().Revision();
    if (revision != m_listRevision) {
        m_listRevision = revision;
        EvLineCount();
    }
}

void TSpeklaWindow::EvLineCount()
{
    if (TDataWindow* data = DataWindow()) {
        data->ListChanged();
    }
    if (TGraphWindow* graph = GraphWindow()) {
        graph->ListChanged();
    }
    emit StateChanged();  // the first or last line may have arrived
}

void TSpeklaWindow::SelectionChanged()
{
    {
        const WaitCursor wait;
        m_text.NoteChanged();
        m_tables.Rebuild();
    }
    for (QWidget* pane : Panes()) {
        pane->update();
    }
    if (TDataWindow* data = DataWindow()) {
        data->Refresh();
    }
    if (GraphView* graph = Graph()) {
        graph->Repaint();
    }
    m_idle.Wake();
}

void TSpeklaWindow::RefreshViews()
{
    if (TDataWindow* data = DataWindow()) {
        data->Refresh();
    }
    if (GraphView* graph = Graph()) {
        graph->Repaint();
    }
    m_idle.Wake();  // going to a new wavelength may have started a new fill
}

void TSpeklaWindow::MoveDown(int lines)
{
    MoveBy(lines);
}

void TSpeklaWindow::MoveUp(int lines)
{
    MoveBy(-std::max(lines, -INT_MAX));
}

// The list scrolls by the groups actually moved; nothing happens at an end.
void TSpeklaWindow::MoveBy(int lines)
{
    const int moved = m_tables.MoveBy(lines);
    if (moved == 0) {
        return;
    }
    if (TDataWindow* data = DataWindow()) {
        data->ScrollBy(moved);
    }
    if (GraphView* graph = Graph()) {
        graph->Repaint();
    }
    m_idle.Wake();  // a limited scan follows the cursor and may have lines to read
}

// `value` is on the data window's scale; the list keeps code units.
void TSpeklaWindow::SetMinimumIntensity(double value)
{
    m_tables.SetMinimumIntensity(DisplayValueToIntensity(value, m_tables.Linear(), 1.0));
    {
        const WaitCursor wait;
        m_tables.Rebuild();
        m_tables.FillStep();
    }
    RefreshViews();
}

void TSpeklaWindow::ShowGraphStatus()
{
    const GraphView* graph = Graph();
    if (graph == nullptr) {
        return;
    }
    emit GraphStatusChanged(
        QString::fromStdString(graph->Height() >= 10.0 ? FormatFixedPoint(graph->Height(), 1)
                                                       : FormatPointShown(graph->Height(), 3)),
        QString::fromStdString(FormatFixedPoint(graph->Range(), 1)) + " \u00C5");
}

OverlayFile::Result TSpeklaWindow::ReadOverlay(const std::string& fileName)
{
    const WaitCursor wait;
    return OverlayFile::Read(ExpandHomeFolder(fileName, QDir::homePath().toStdString()));
}

// The points of the last overlay stay until a new file has been read whole.
bool TSpeklaWindow::LoadOverlay(const std::string& fileName)
{
    OverlayFile::Result read = ReadOverlay(fileName);
    if (read.status != OverlayFile::Status::Read) {
        ShowWarning(CommandResult::Warning(
            read.status == OverlayFile::Status::CannotOpen
                ? "Could not access the overlay file. Overlay was not imported."
                : "Error reading file. Overlay was not imported.",
            CommandResult::Icon::Exclamation));
        return false;
    }
    m_overlay = std::move(read.points);
    m_state.overlayFileName = fileName;
    ForgetIdentification();
    const auto count = [](size_t n, const QString& one, const QString& many) {
        return QString::number(n) + ' ' + (n == 1 ? one : many);
    };
    QString note = tr("Overlay: %1 from %2")
                       .arg(count(m_overlay.size(), tr("point"), tr("points")),
                            QString::fromStdString(fileName));
    if (read.headerLines > 0) {
        note +=
            tr(", %1 skipped").arg(count(read.headerLines, tr("header line"), tr("header lines")));
    }
    emit StatusTextChanged(note);
    if (GraphView* graph = Graph()) {
        graph->Repaint();
    }
    return true;
}

void TSpeklaWindow::ClearOverlay()
{
    m_state.overlayFileName.clear();
    m_overlay.clear();
    ForgetIdentification();
    if (GraphView* graph = Graph()) {
        graph->Repaint();
    }
}

bool TSpeklaWindow::LoadElementFile(const std::string& fileName)
{
    const WaitCursor wait;
    const ElementSelectionFile::LoadResult result = ElementSelectionFile::Load(
        ExpandHomeFolder(fileName, QDir::homePath().toStdString()), m_text);
    if (!result.warning.empty()) {
        ShowWarning(CommandResult::Warning(result.warning, CommandResult::Icon::Exclamation));
    }
    return result.loaded;
}

bool TSpeklaWindow::SaveElementFile(const std::string& fileName)
{
    std::string error;
    const WaitCursor wait;
    if (ElementSelectionFile::Save(ExpandHomeFolder(fileName, QDir::homePath().toStdString()),
                                   m_text, &error)) {
        return true;
    }
    ShowWarning(
        CommandResult::Warning("Could not save the element file " + fileName + ".\n\n" + error,
                               CommandResult::Icon::Exclamation));
    return false;
}

bool TSpeklaWindow::Export(const std::vector<std::string>& words)
{
    const CommandResult result =
        ExportCommand(m_text, m_tables, m_idle)
            .Run(words, m_state.exportSettings, GraphWindow(), LastIdentification(), this);
    ShowWarning(result);
    return result.acted;
}

void TSpeklaWindow::GoToWavelength(int32_t wavelength)
{
    m_tables.GoToWavelength(wavelength);
    RefreshViews();
    emit StateChanged();
}

// The peaks of the overlay and the lines that could be each, in the orders the graph shows.
// The status bar tells how far the search is; user input waits meanwhile.
bool TSpeklaWindow::Identify(double sigmas)
{
    if (m_overlay.empty()) {
        ShowWarning(CommandResult::Warning(
            "There is no measured spectrum to identify: load one with OVERLAY first.",
            CommandResult::Icon::Exclamation));
        return false;
    }
    {
        const WaitCursor wait;
        const auto progress = [this](double fraction) {
            emit StatusTextChanged(tr("Finding peaks... %1%").arg(std::lround(fraction * 100)));
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            return true;
        };
        m_identification = std::make_unique<Identification>(
            Identification::Run(m_overlay, IdentificationView::SettingsFor(sigmas, Graph()), m_text,
                                m_tables, progress));
    }
    emit StatusTextChanged(IdentificationView::Summary(*m_identification));
    MarkPeaks();
    emit IdentificationChanged();
    return true;
}

void TSpeklaWindow::MarkPeaks()
{
    m_peakMarks = m_identification ? IdentificationView::Marks(*m_identification, m_text)
                                   : std::vector<PeakMark>();
    if (GraphView* graph = Graph()) {
        graph->Repaint();
    }
}

// An identification belongs to the spectrum it was made from.
void TSpeklaWindow::ForgetIdentification()
{
    if (m_identification) {
        m_identification.reset();
        MarkPeaks();
        emit IdentificationChanged();
    }
}

void TSpeklaWindow::Print()
{
    emit PrintRequested();
}

void TSpeklaWindow::ShowHelp(int topic)
{
    ShowHelpTopic(topic);
}

void TSpeklaWindow::About()
{
    emit AboutRequested();
}

void TSpeklaWindow::BuildSourcesMenu(QMenu* menu)
{
    for (size_t i = 0; i < m_tables.FileCount() && CM_SOURCE1 + i <= CM_SOURCELAST; ++i) {
        const WavetableFile& file = m_tables.FileAt(i);
        const QString text = QString::fromStdString(DataSources::MenuText(i, file.Label(), false));
        auto* action = new QAction(text.section('\t', 0, 0), m_actions);
        action->setShortcut(QKeySequence(text.section('\t', 1, 1)));
        action->setCheckable(true);
        action->setStatusTip(
            tr("Show or hide the lines of %1").arg(QString::fromStdString(file.FileName())));
        menu->addAction(action);
        m_actions->Add(CM_SOURCE1 + static_cast<int>(i), action);
    }
}

// The Sources item of a source whose label was edited.
void TSpeklaWindow::RenewSourceItem(size_t index)
{
    QAction* action = m_actions->Action(CM_SOURCE1 + static_cast<int>(index));
    if (action != nullptr) {
        const QString text = QString::fromStdString(
            DataSources::MenuText(index, m_tables.FileAt(index).Label(), true));
        action->setText(text.section('\t', 0, 0));
    }
    if (GraphView* graph = Graph()) {
        graph->Repaint();
    }
}

void TSpeklaWindow::ToggleSource(size_t index)
{
    m_tables.SetActive(index, !m_tables.IsActive(index));
    SelectionChanged();
}
