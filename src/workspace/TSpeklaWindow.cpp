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
    for (QWidget* pane : Panes()) {
        if (pane->property("paneId").toInt() == id) {
            return true;
        }
    }
    return false;
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
