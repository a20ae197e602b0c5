#include "workspace/PaneLayout.h"

#include "framework/PaneSplitter.h"
#include "framework/THelpFileManager.h"
#include "workspace/HelpContexts.h"
#include "workspace/MenuCommands.h"

#include <QVariant>

PaneLayout::PaneLayout(PaneSplitter& splitter) : m_splitter(splitter) {}

void PaneLayout::SetFactory(PaneId id, Factory factory)
{
    m_factories[id] = std::move(factory);
}

QWidget* PaneLayout::Pane(PaneId id) const
{
    for (QWidget* pane : m_splitter.Panes()) {
        if (pane->property("paneId").toInt() == id) {
            return pane;
        }
    }
    return nullptr;
}

std::optional<bool> PaneLayout::Toggle(PaneId id)
{
    if (Hide(id)) {
        return false;
    }
    QWidget* pane = Make(id);
    if (pane == nullptr) {
        return std::nullopt;
    }
    if (id == WorkspaceOperations::kElementPane) {
        ShowElement(pane);
    } else if (id == WorkspaceOperations::kDataPane) {
        ShowData(pane);
    } else {
        ShowGraph(pane);
    }
    return true;
}

QWidget* PaneLayout::Make(PaneId id)
{
    static const char* const kTitles[] = {"Element Window", "Data Window", "Graph Window"};
    if (!m_factories[id]) {
        return nullptr;
    }
    QWidget* pane = m_factories[id]();
    pane->setProperty("paneId", static_cast<int>(id));
    pane->setObjectName(kTitles[id]);
    pane->setWindowTitle(kTitles[id]);
    // F1 over a pane opens the topic of its Window menu item, which describes the pane.
    static const int kToggles[] = {CM_ELEMENTWINDOW, CM_DATAWINDOW, CM_GRAPHWINDOW};
    if (const std::optional<int> topic = HelpContextForCommand(kToggles[id])) {
        pane->setProperty(kHelpContextProperty, *topic);
    }
    return pane;
}

// Removes the pane when it is shown; true when it was.
bool PaneLayout::Hide(PaneId id)
{
    QWidget* pane = Pane(id);
    if (pane == nullptr) {
        return false;
    }
    m_splitter.RemovePane(pane);
    return true;
}

void PaneLayout::ShowElement(QWidget* element)
{
    if (QWidget* data = Pane(WorkspaceOperations::kDataPane)) {
        m_splitter.SplitPane(data, element, Qt::Horizontal);
        m_splitter.SwapPanes(element, data);
    } else if (QWidget* graph = Pane(WorkspaceOperations::kGraphPane)) {
        m_splitter.SplitPane(graph, element, Qt::Vertical);
        m_splitter.SwapPanes(element, graph);
    } else {
        m_splitter.SplitPane(nullptr, element, Qt::Horizontal);
    }
}

void PaneLayout::ShowData(QWidget* data)
{
    if (QWidget* element = Pane(WorkspaceOperations::kElementPane)) {
        m_splitter.SplitPane(element, data, Qt::Horizontal);
    } else if (QWidget* graph = Pane(WorkspaceOperations::kGraphPane)) {
        m_splitter.SplitPane(graph, data, Qt::Vertical);
        m_splitter.SwapPanes(data, graph);
    } else {
        m_splitter.SplitPane(nullptr, data, Qt::Horizontal);
    }
}

void PaneLayout::ShowGraph(QWidget* graph)
{
    if (QWidget* element = Pane(WorkspaceOperations::kElementPane)) {
        // With element and data side by side the graph goes below both: the data pane is
        // made again to the right of the element pane once the graph is below it.
        const bool dataShown = Hide(WorkspaceOperations::kDataPane);
        m_splitter.SplitPane(element, graph, Qt::Vertical);
        if (dataShown) {
            if (QWidget* data = Make(WorkspaceOperations::kDataPane)) {
                ShowData(data);
            }
        }
    } else if (QWidget* data = Pane(WorkspaceOperations::kDataPane)) {
        m_splitter.SplitPane(data, graph, Qt::Vertical);
    } else {
        m_splitter.SplitPane(nullptr, graph, Qt::Vertical);
    }
}
