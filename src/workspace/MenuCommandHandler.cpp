#include "workspace/MenuCommandHandler.h"

#include "command/CommandInterpreter.h"
#include "command/CommandNumbers.h"
#include "database/IntensityFormat.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "database/WavelengthFormat.h"
#include "elements/TValenceDialog.h"
#include "framework/HelpTopics.h"
#include "framework/Limits.h"
#include "framework/NumberFormat.h"
#include "framework/THelpFileManager.h"
#include "framework/TInputDialog.h"
#include "graph/TGraphOptionsDialog.h"
#include "graph/TGraphWindow.h"
#include "workspace/MenuCommandTable.h"
#include "workspace/MenuCommands.h"
#include "workspace/TSpeklaWindow.h"

#include <algorithm>
#include <cmath>

#include <QFileDialog>
#include <QMessageBox>

namespace {

constexpr int kInputLength = 15;  // characters an input dialog takes

}  // namespace

MenuCommandHandler::MenuCommandHandler(TSpeklaWindow& workspace, CommandInterpreter& interpreter,
                                       TextTables& text, TableArray& tables)
    : m_workspace(workspace), m_interpreter(interpreter), m_text(text), m_tables(tables)
{
}

bool MenuCommandHandler::Run(int commandId)
{
    if (const TypedEquivalent* typed = FindTypedEquivalent(commandId)) {
        m_workspace.ShowWarning(
            m_interpreter.Execute(typed->commandId, typed->keyword, typed->argument));
    } else if (commandId >= CM_SOURCE1 && commandId <= CM_SOURCELAST &&
               static_cast<size_t>(commandId - CM_SOURCE1) < m_tables.FileCount()) {
        m_workspace.ToggleSource(static_cast<size_t>(commandId - CM_SOURCE1));
    } else if (!RunGraphCommand(commandId)) {
        return RunMenuOnlyCommand(commandId);
    }
    return true;
}

// The menu commands that have no typed form, or that ask for their value first.
bool MenuCommandHandler::RunMenuOnlyCommand(int commandId)
{
    switch (commandId) {
        case CM_GOTOWAVELENGTH:
            RunDialogCommand(CMD_GOTO, QObject::tr("Input new wavelength:"), QString(), false);
            break;
        case CM_MINIMUMINTENSITY:
            RunDialogCommand(CMD_MINIMUM, QObject::tr("Input minimum intensity:"),
                             QString::fromStdString(FormatDefault(ShownMinimumIntensity())), true);
            break;
        case CM_DECIMALS:
            StepDecimals();
            break;
        case CM_LINEAR:
            m_interpreter.Execute(CMD_LINEAR, m_tables.Linear() ? "EXPONENTIAL" : "LINEAR", "");
            break;
        case CM_PREVIOUSPAGE:
        case CM_NEXTPAGE:
            m_workspace.Page(commandId == CM_NEXTPAGE ? 1 : -1);
            break;
        case CM_FORWARD100:
        case CM_BACK100:
            MoveByDisplayUnits(commandId == CM_FORWARD100 ? 100.0 : -100.0);
            break;
        case CM_INVERTSELECTION:
            InvertSelection();
            break;
        case CM_SETRATIO:
            SetRatioOfSelected();
            break;
        case CM_VALENCES:
            ChooseValences();
            break;
        case CM_LOADELEMENTS:
        case CM_SAVEELEMENTS:
            RunElementFileDialog(commandId == CM_SAVEELEMENTS);
            break;
        case CM_LOADOVERLAY:
            RunOverlayFileDialog();
            break;
        case CM_EXPORT:
            m_workspace.Export({});
            break;
        case CM_ELEMENTWINDOW:
            m_workspace.ToggleElementWindow();
            break;
        case CM_DATAWINDOW:
            m_workspace.ToggleDataWindow();
            break;
        case CM_GRAPHWINDOW:
            m_workspace.ToggleGraphWindow();
            break;
        case CM_HELPCONTENTS:
            ShowHelpTopic(kHelpContentsTopic);
            break;
        case CM_HELPCOMMANDS:
            ShowHelpTopic(kCommandLineTopic);
            break;
        case CM_ABOUT:
            m_workspace.About();
            break;
        case CM_PRINT:
            m_workspace.Print();
            break;
        default:
            return false;
    }
    return true;
}

// The minimum intensity on the scale the list shows.
double MenuCommandHandler::ShownMinimumIntensity() const
{
    const int code = static_cast<int>(m_tables.MinIntensity());
    return m_tables.Linear() ? LinearIntensity(code) : LogIntensity(code);
}

// The input dialogs hand their text to the command of the same meaning, so a typed value and a
// value in the dialog are checked alike.
void MenuCommandHandler::RunDialogCommand(int commandId, const QString& prompt,
                                          const QString& initial, bool intensityRange)
{
    TInputDialog dialog(m_workspace.window(), QObject::tr("Spekla"), prompt, initial, kInputLength);
    if (intensityRange) {
        dialog.SetRange(Limits::kMinimumIntensity);
    }
    if (dialog.exec() == QDialog::Accepted) {
        const char* keyword = commandId == CMD_GOTO ? "GOTO" : "MINIMUM";
        m_workspace.ShowWarning(
            m_interpreter.Execute(commandId, keyword, dialog.Text().toStdString()));
    }
}

// Up by one to 4, then alternating between 3 and 4.
void MenuCommandHandler::StepDecimals()
{
    const int decimals = m_tables.Decimals();
    m_tables.SetDecimals(decimals < Limits::kMaxDecimals ? decimals + 1 : decimals - 1);
    m_workspace.RefreshViews();
}

void MenuCommandHandler::MoveByDisplayUnits(double units)
{
    WaveData current;
    current.record.wavelength = m_tables.DisplayList().CurrentWavelength();
    const double shown = ParseLeadingDouble(FormatWavelength(current, m_tables.Settings()));
    if (m_tables.GoToDisplayValue(shown + units)) {
        m_workspace.RefreshViews();
    }
}

void MenuCommandHandler::InvertSelection()
{
    const bool allSelected = std::all_of(m_text.ElementTable.begin(), m_text.ElementTable.end(),
                                         [](const Element& element) { return element.selected; });
    if (allSelected) {
        QMessageBox box(
            QMessageBox::NoIcon, QObject::tr("Spekla"),
            QObject::tr("Element selection cannot be inverted because there would be no "
                        "elements selected."),
            QMessageBox::Ok, &m_workspace);
        box.exec();
        return;
    }
    for (Element& element : m_text.ElementTable) {
        element.selected = element.selected != 0 ? 0 : 1;
    }
    m_workspace.SelectionChanged();
}

// Every selected element takes the ratio asked for.
void MenuCommandHandler::SetRatioOfSelected()
{
    TInputDialog dialog(m_workspace.window(), QObject::tr("Spekla"), QObject::tr("Input ratio:"),
                        "1.0", kInputLength);
    dialog.SetRange(Limits::kRatio);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const double ratio = ParseLeadingDouble(dialog.Text().toStdString());
    for (Element& element : m_text.ElementTable) {
        if (element.selected != 0) {
            element.ratio = ratio;
        }
    }
    m_workspace.SelectionChanged();
}

void MenuCommandHandler::ChooseValences()
{
    TValenceDialog dialog(m_workspace.window(), m_text.ValenceFlags);
    if (dialog.exec() == QDialog::Accepted) {
        m_text.ValenceFlags = dialog.Flags();
        m_workspace.SelectionChanged();
    }
}

// Element files: ".sef" is added to a saved name without an extension, and the dialog asks
// before replacing the file of that full name.
void MenuCommandHandler::RunElementFileDialog(bool save)
{
    QFileDialog dialog(m_workspace.window(),
                       save ? QObject::tr("Save elements") : QObject::tr("Load elements"));
    dialog.setNameFilters({QObject::tr("Element Files (*.sef)"), QObject::tr("Text Files (*.txt)"),
                           QObject::tr("All Files (*)")});
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save) {
        dialog.setDefaultSuffix("sef");
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const std::string name = dialog.selectedFiles().first().toStdString();
    if (save) {
        m_workspace.SaveElementFile(name);
    } else {
        m_workspace.LoadElementFile(name);
        m_workspace.SelectionChanged();
    }
}

// A measured spectrum chosen in the file dialog is shown over the graph at once.
void MenuCommandHandler::RunOverlayFileDialog()
{
    const QString name = QFileDialog::getOpenFileName(
        m_workspace.window(), QObject::tr("Load overlay"), QString(),
        QObject::tr("Spectra (*.txt *.dat *.csv *.xy *.asc);;All files (*)"));
    if (name.isEmpty() || !m_workspace.LoadOverlay(name.toStdString())) {
        return;
    }
    if (GraphView* graph = m_workspace.Graph()) {
        graph->SetDisplayOverlay(true);
        graph->Repaint();
    }
}

// The Graph menu: zoom, summation, orders and the scan range. False for other commands.
bool MenuCommandHandler::RunGraphCommand(int commandId)
{
    TGraphWindow* graph = m_workspace.GraphWindow();
    if (graph == nullptr) {
        return false;
    }
    const int order = commandId - CM_ORDER1 + 1;
    if (order >= 1 && order <= GraphView::kOrders) {
        graph->SetOrderDisplayed(order, !graph->IsOrderDisplayed(order));
        graph->Repaint();
        return true;
    }
    switch (commandId) {
        case CM_INCREASEINTENSITY:
            graph->IncreaseIntensity();
            break;
        case CM_DECREASEINTENSITY:
            graph->DecreaseIntensity();
            break;
        case CM_FITHEIGHT:
            graph->FitHeight();
            break;
        case CM_FITHEIGHTAUTOMATICALLY:
            graph->SetFitHeightAutomatically(!graph->FitsHeightAutomatically());
            break;
        case CM_INCREASERANGE:
            graph->IncreaseRange();
            break;
        case CM_DECREASERANGE:
            graph->DecreaseRange();
            break;
        case CM_SUMMATION:
            RunTyped(CMD_SUMMATION, graph->Summation() != SummationMode::Off ? "OFF" : "ON");
            break;
        case CM_SUMMATIONONLY:
            RunTyped(CMD_SUMMATION,
                     graph->Summation() == SummationMode::DisplayOnly ? "ON" : "ONLY");
            break;
        case CM_SCANONLYRANGE:
            RunTyped(CMD_SCAN, m_tables.IsScanLimited() ? "ALL" : "RANGE");
            break;
        case CM_TREATORDERSASRATIOS:
            graph->SetTreatOrderAsRatio(!graph->TreatOrderAsRatio());
            break;
        case CM_GRAPHOPTIONS:
            TGraphOptionsDialog::Run(&m_workspace, *graph, m_tables);
            break;
        default:
            return false;
    }
    m_workspace.GraphRangeChanged();
    return true;
}

void MenuCommandHandler::RunTyped(int commandId, const char* argument)
{
    const char* keyword = commandId == CMD_SCAN ? "SCAN" : "SUMMATION";
    m_workspace.ShowWarning(m_interpreter.Execute(commandId, keyword, argument));
}
