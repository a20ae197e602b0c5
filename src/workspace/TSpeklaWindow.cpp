#include "workspace/TSpeklaWindow.h"

#include "database/DataSources.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "framework/IdleDriver.h"
#include "framework/UserMessage.h"
#include "framework/UserMessages.h"

#include <QAction>
#include <QMenu>

TSpeklaWindow::TSpeklaWindow(TextTables& text, TableArray& tables, SettingsStore& store,
                             IdleDriver& idle, QWidget* parent)
    : PaneSplitter(parent), m_text(text), m_tables(tables), m_store(store), m_idle(idle)
{
    setObjectName("Workspace");
}

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
    if (m_state.hasMinimumIntensity && window() != nullptr) {
        UserMessage::Post(window(), WM_LINEARSTATE, m_state.linear ? 1 : 0);
    }
    BuildSourcesMenu(sourcesMenu);
    SelectionChanged();
}

void TSpeklaWindow::CleanupWindow()
{
    m_state.Save(m_store, m_text, m_tables);
}

bool TSpeklaWindow::IsPaneShown(int id) const
{
    return Pane(static_cast<PaneId>(id)) != nullptr;
}

QWidget* TSpeklaWindow::Pane(PaneId id) const
{
    for (QWidget* pane : Panes()) {
        if (pane->property("paneId").toInt() == id) {
            return pane;
        }
    }
    return nullptr;
}

void TSpeklaWindow::SetPaneFactory(PaneId id, PaneFactory factory)
{
    m_paneFactories[id] = std::move(factory);
}

QWidget* TSpeklaWindow::MakePane(PaneId id)
{
    static const char* const kTitles[] = {"Element Window", "Data Window", "Graph Window"};
    if (!m_paneFactories[id]) {
        return nullptr;
    }
    QWidget* pane = m_paneFactories[id]();
    pane->setProperty("paneId", static_cast<int>(id));
    pane->setObjectName(kTitles[id]);
    pane->setWindowTitle(kTitles[id]);
    return pane;
}

// Removes the pane when it is shown; true when it was.
bool TSpeklaWindow::HidePane(PaneId id)
{
    QWidget* pane = Pane(id);
    if (pane == nullptr) {
        return false;
    }
    RemovePane(pane);
    SetPaneFlag(id, false);
    return true;
}

void TSpeklaWindow::SetPaneFlag(PaneId id, bool shown)
{
    bool* flags[] = {&m_state.elementWindowActive, &m_state.dataWindowActive,
                     &m_state.graphWindowActive};
    *flags[id] = shown;
}

void TSpeklaWindow::ToggleElementWindow()
{
    if (HidePane(kElementPane)) {
        return;
    }
    QWidget* element = MakePane(kElementPane);
    if (element == nullptr) {
        return;
    }
    if (QWidget* data = Pane(kDataPane)) {
        SplitPane(data, element, Qt::Horizontal);
        SwapPanes(element, data);
    } else if (QWidget* graph = Pane(kGraphPane)) {
        SplitPane(graph, element, Qt::Vertical);
        SwapPanes(element, graph);
    } else {
        SplitPane(nullptr, element, Qt::Horizontal);
    }
    SetPaneFlag(kElementPane, true);
}

void TSpeklaWindow::ToggleDataWindow()
{
    if (!HidePane(kDataPane)) {
        ShowDataWindow();
    }
}

void TSpeklaWindow::ShowDataWindow()
{
    QWidget* data = MakePane(kDataPane);
    if (data == nullptr) {
        return;
    }
    if (QWidget* element = Pane(kElementPane)) {
        SplitPane(element, data, Qt::Horizontal);
    } else if (QWidget* graph = Pane(kGraphPane)) {
        SplitPane(graph, data, Qt::Vertical);
        SwapPanes(data, graph);
    } else {
        SplitPane(nullptr, data, Qt::Horizontal);
    }
    SetPaneFlag(kDataPane, true);
}

void TSpeklaWindow::ToggleGraphWindow()
{
    if (HidePane(kGraphPane)) {
        return;
    }
    QWidget* graph = MakePane(kGraphPane);
    if (graph == nullptr) {
        return;
    }
    if (QWidget* element = Pane(kElementPane)) {
        // With element and data side by side the graph goes below both: the data pane is
        // made again to the right of the element pane once the graph is below it.
        const bool dataShown = HidePane(kDataPane);
        SplitPane(element, graph, Qt::Vertical);
        if (dataShown) {
            ShowDataWindow();
        }
    } else if (QWidget* data = Pane(kDataPane)) {
        SplitPane(data, graph, Qt::Vertical);
    } else {
        SplitPane(nullptr, graph, Qt::Vertical);
    }
    SetPaneFlag(kGraphPane, true);
}

int TSpeklaWindow::EvCommand(int commandId, const QString& argument)
{
    Q_UNUSED(commandId);
    Q_UNUSED(argument);
    return 0;  // no typed command is bound to an operation yet
}

void TSpeklaWindow::SelectionChanged()
{
    m_tables.Rebuild();
    m_idle.Wake();
}

void TSpeklaWindow::BuildSourcesMenu(QMenu* menu)
{
    m_sourcesMenu = menu;
    for (size_t i = 0; i < m_tables.FileCount(); ++i) {
        QAction* action = SourceAction(i);
        connect(action, &QAction::triggered, this, [this, i] { ToggleSource(i); });
        menu->addAction(action);
        m_sourceActions.push_back(action);
    }
    connect(menu, &QMenu::aboutToShow, this, &TSpeklaWindow::UpdateSourceActions);
}

// The item's text carries its shortcut after a tab, as the menu shows it.
QAction* TSpeklaWindow::SourceAction(size_t index)
{
    const QString text =
        QString::fromStdString(DataSources::MenuText(index, m_tables.FileAt(index).Label(), false));
    auto* action = new QAction(m_sourcesMenu);
    action->setText(text.section('\t', 0, 0));
    action->setShortcut(QKeySequence(text.section('\t', 1, 1)));
    action->setCheckable(true);
    action->setChecked(m_tables.IsActive(index));
    action->setStatusTip(tr("Show or hide the lines of %1")
                             .arg(QString::fromStdString(m_tables.FileAt(index).FileName())));
    return action;
}

void TSpeklaWindow::ToggleSource(size_t index)
{
    if (m_tables.IsActive(index)) {
        m_tables.FileAt(index).Deactivate();
    } else {
        m_tables.Activate(index);
    }
    SelectionChanged();
    UpdateSourceActions();
}

void TSpeklaWindow::UpdateSourceActions()
{
    for (size_t i = 0; i < m_sourceActions.size(); ++i) {
        m_sourceActions[i]->setChecked(m_tables.IsActive(i));
    }
}
