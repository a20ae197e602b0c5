#include "command/CommandInterpreter.h"

#include "command/CommandArguments.h"
#include "command/CommandNumbers.h"
#include "command/ElementSelection.h"
#include "command/ElementView.h"
#include "command/GraphView.h"
#include "command/SpectrumCommand.h"
#include "command/WorkspaceOperations.h"
#include "database/DataSources.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "framework/Limits.h"
#include "framework/StringUtil.h"

#include <algorithm>
#include <cmath>

using CommandArguments::LeadingInteger;
using CommandArguments::LeadingNumber;
using CommandArguments::Switch;
using CommandArguments::Words;
using Icon = CommandResult::Icon;

namespace {

constexpr const char* kGraphOnly =
    "This command is only available when the graph window is displayed.";
constexpr const char* kElementsOnly =
    "This command is only available when the element window is displayed.";
constexpr const char* kSefOnly = "You must specify either an SEF extension (element file).";

bool IsSefName(std::string_view name)
{
    return ToUpper(name).find(".SEF") != std::string::npos;
}

// Digits only, from 1 to the last order.
bool IsOrder(const std::string& item)
{
    const long long order = LeadingInteger(item).value_or(0);
    return item.find_first_not_of("0123456789") == std::string::npos && order >= 1 &&
           order <= GraphView::kOrders;
}

// What GOTO says of an argument that does not start with a number.
std::string NoNumberWarning(std::string_view argument, bool waveNumber)
{
    const std::string unit = waveNumber ? "wave number" : "wavelength";
    const std::vector<std::string> words = Words(argument, false);
    if (words.empty()) {
        return "Type the " + unit + " to go to.";
    }
    return "\"" + words.front() + "\" is not a " + unit + ".";
}

}  // namespace

const CommandInterpreter::Entry CommandInterpreter::kHandlers[] = {
    {CMD_SUMMATION, &CommandInterpreter::Summation},
    {CMD_RATIOS, &CommandInterpreter::Ratios},
    {CMD_RANGE, &CommandInterpreter::Range},
    {CMD_HEIGHT, &CommandInterpreter::Height},
    {CMD_SOURCE, &CommandInterpreter::Source},
    {CMD_CLEAR, &CommandInterpreter::Clear},
    {CMD_LOAD, &CommandInterpreter::Load},
    {CMD_SAVE, &CommandInterpreter::Save},
    {CMD_MINIMUM, &CommandInterpreter::Minimum},
    {CMD_ALL, &CommandInterpreter::All},
    {CMD_PRINT, &CommandInterpreter::Print},
    {CMD_ONLY, &CommandInterpreter::Only},
    {CMD_ELEMENTS, &CommandInterpreter::Elements},
    {CMD_ADD, &CommandInterpreter::Add},
    {CMD_REMOVE, &CommandInterpreter::Remove},
    {CMD_OVERLAY, &CommandInterpreter::Overlay},
    {CMD_SHOW, &CommandInterpreter::Show},
    {CMD_HIDE, &CommandInterpreter::Hide},
    {CMD_ORDERS, &CommandInterpreter::Orders},
    {CMD_DECIMALS, &CommandInterpreter::Decimals},
    {CMD_DOWN, &CommandInterpreter::Down},
    {CMD_UP, &CommandInterpreter::Up},
    {CMD_VACUUM, &CommandInterpreter::Vacuum},
    {CMD_WAVENUMBER, &CommandInterpreter::WaveNumber},
    {CMD_AIR, &CommandInterpreter::Air},
    {CMD_GOTO, &CommandInterpreter::GoTo},
    {CMD_PERIODIC, &CommandInterpreter::Periodic},
    {CMD_ALPHABETICAL, &CommandInterpreter::Alphabetical},
    {CMD_ATOMIC, &CommandInterpreter::Atomic},
    {CMD_EXPORT, &CommandInterpreter::Export},
    {CMD_ABOUT, &CommandInterpreter::About},
    {CMD_QUESTION, &CommandInterpreter::CommandHelp},
    {CMD_HELP, &CommandInterpreter::Help},
    {CMD_LINEAR, &CommandInterpreter::Linear},
    {CMD_ION, &CommandInterpreter::Ion},
    {CMD_SCAN, &CommandInterpreter::Scan},
    {CMD_IDENTIFY, &CommandInterpreter::Identify},
    {CMD_PROFILE, &CommandInterpreter::Spectrum},
    {CMD_FWHM, &CommandInterpreter::Spectrum},
    {CMD_RESOLUTION, &CommandInterpreter::Spectrum},
    {CMD_VELOCITY, &CommandInterpreter::Spectrum},
    {CMD_TEMPERATURE, &CommandInterpreter::Spectrum},
    {CMD_DENSITY, &CommandInterpreter::Spectrum},
};

CommandInterpreter::CommandInterpreter(TextTables& text, TableArray& tables,
                                       WorkspaceOperations& workspace, const ElementFacts& facts)
    : m_text(text), m_tables(tables), m_workspace(workspace), m_facts(facts)
{
}

CommandResult CommandInterpreter::Execute(int commandId, std::string_view keyword,
                                          std::string_view argument)
{
    for (const Entry& entry : kHandlers) {
        if (entry.commandId == commandId) {
            return (this->*entry.handler)(CommandText{keyword, argument, commandId});
        }
    }
    return CommandResult::Refused();
}

bool CommandInterpreter::Handles(int commandId)
{
    return std::any_of(std::begin(kHandlers), std::end(kHandlers),
                       [commandId](const Entry& entry) { return entry.commandId == commandId; });
}

// Empty steps off, display, display only; ONLY and the switch words set a mode.
CommandResult CommandInterpreter::Summation(const CommandText& command)
{
    GraphView* graph = m_workspace.Graph();
    if (graph == nullptr) {
        return CommandResult::Warning(kGraphOnly, Icon::Exclamation);
    }
    SummationMode mode;
    if (command.argument.empty()) {
        mode = static_cast<SummationMode>((static_cast<int>(graph->Summation()) + 1) % 3);
    } else if (EqualsIgnoringCase(command.argument, "ONLY")) {
        mode = SummationMode::DisplayOnly;
    } else if (const Switch on = CommandArguments::ReadSwitch(command.argument);
               on != Switch::None) {
        mode = on == Switch::On ? SummationMode::Display : SummationMode::Off;
    } else {
        return CommandResult::Refused();
    }
    graph->SetSummation(mode);
    graph->Repaint();
    return CommandResult::Done();
}

CommandResult CommandInterpreter::Ratios(const CommandText& command)
{
    const Switch on = CommandArguments::ReadSwitch(command.argument);
    const std::optional<std::string> name = CommandArguments::FileName(command.argument);
    if (!name) {
        return CommandResult::Warning(CommandArguments::kBadQuotes, Icon::Exclamation);
    }
    if (command.argument.empty()) {
        m_tables.SetUseRatios(!m_tables.UseRatios());
    } else if (on != Switch::None) {
        m_tables.SetUseRatios(on == Switch::On);
    } else if (auto warning = ElementSelection::AssignRatios(m_text, m_facts,
                                                             Words(command.argument, false))) {
        return CommandResult::Warning(*warning, Icon::None);
    }
    m_workspace.SelectionChanged();
    return CommandResult::Done();
}

CommandResult CommandInterpreter::Range(const CommandText& command)
{
    return GraphNumber(command.argument, true);
}

// HEIGHT FIT puts the tallest line in view at 90 % of the plot.
CommandResult CommandInterpreter::Height(const CommandText& command)
{
    GraphView* graph = m_workspace.Graph();
    if (graph == nullptr || !EqualsIgnoringCase(command.argument, "FIT")) {
        return GraphNumber(command.argument, false);
    }
    graph->FitHeight();
    m_workspace.ShowGraphStatus();
    return CommandResult::Done();
}

// RANGE and HEIGHT: 0 or no number does nothing, even without a graph.
CommandResult CommandInterpreter::GraphNumber(std::string_view argument, bool range)
{
    const double value = LeadingNumber(argument).value_or(0.0);
    if (value == 0.0) {
        return CommandResult::Refused();
    }
    GraphView* graph = m_workspace.Graph();
    if (graph == nullptr) {
        return CommandResult::Warning(
            range ? "You cannot change the range of the graph window when it is not displayed."
                  : "You cannot change the height of the graph window when it is not displayed.",
            Icon::None);
    }
    // The graph options dialog's limits, which typed values must respect as well.
    if (!(range ? Limits::kGraphRange : Limits::kGraphHeight).Contains(value)) {
        return CommandResult::Warning(
            range ? "The range must be from " + Limits::kGraphRange.Span() + " \u00C5."
                  : "The height must be from " + Limits::kGraphHeight.Span() + ".",
            Icon::None);
    }
    if (range) {
        graph->SetRange(value);
        if (m_tables.IsScanLimited()) {
            m_tables.LimitScanTo(value);  // a limited scan keeps to the range
        }
    } else {
        graph->SetHeight(value);
    }
    graph->Repaint();
    m_workspace.ShowGraphStatus();
    return CommandResult::Done();
}

// Only the listed sources stay active; if none of them exists every source is active.
CommandResult CommandInterpreter::Source(const CommandText& command)
{
    if (command.argument.empty() || EqualsIgnoringCase(command.argument, "ALL")) {
        DataSources::ActivateAll(m_tables);
    } else {
        DataSources::ActivateListed(m_tables, Words(command.argument, true));
    }
    m_workspace.SelectionChanged();
    return CommandResult::Done();
}

// Back to everything: all elements at ratio 1, all sources and valences, every pane, no
// overlay and no summation. Units, decimals, minimum, span and position stay.
CommandResult CommandInterpreter::Clear(const CommandText&)
{
    for (Element& element : m_text.ElementTable) {
        element.ratio = 1.0;
        element.selected = 1;
    }
    m_tables.SetUseRatios(false);
    DataSources::ActivateAll(m_tables);
    m_text.ValenceFlags.fill(1);
    m_workspace.ClearOverlay();
    if (!m_workspace.IsPaneShown(WorkspaceOperations::kDataPane)) {
        m_workspace.ToggleDataWindow();
    }
    if (!m_workspace.IsPaneShown(WorkspaceOperations::kGraphPane)) {
        m_workspace.ToggleGraphWindow();
    }
    if (!m_workspace.IsPaneShown(WorkspaceOperations::kElementPane)) {
        m_workspace.ToggleElementWindow();
    }
    if (GraphView* graph = m_workspace.Graph()) {
        graph->SetDisplayOverlay(false);
        graph->SetSummation(SummationMode::Off);
    }
    m_workspace.SelectionChanged();
    return CommandResult::Done();
}

CommandResult CommandInterpreter::Load(const CommandText& command)
{
    const std::optional<std::string> name = CommandArguments::FileName(command.argument);
    if (!name) {
        return CommandResult::Warning(CommandArguments::kBadQuotes, Icon::Exclamation);
    }
    if (name->empty()) {
        return CommandResult::Warning(
            "You must specify the name of the element or ratio file to load.", Icon::Exclamation);
    }
    if (!IsSefName(*name)) {
        return CommandResult::Warning(kSefOnly, Icon::Exclamation);
    }
    const bool loaded = m_workspace.LoadElementFile(*name);
    m_workspace.SelectionChanged();  // a failed load may have reset the selection
    return loaded ? CommandResult::Done() : CommandResult::Refused();
}

CommandResult CommandInterpreter::Save(const CommandText& command)
{
    const std::optional<std::string> name = CommandArguments::FileName(command.argument);
    if (!name) {
        return CommandResult::Warning(CommandArguments::kBadQuotes, Icon::Exclamation);
    }
    if (name->empty()) {
        return CommandResult::Warning("You must specify an element or ratio file name.",
                                      Icon::Exclamation);
    }
    if (!IsSefName(*name)) {
        return CommandResult::Warning(kSefOnly, Icon::Exclamation);
    }
    return m_workspace.SaveElementFile(*name) ? CommandResult::Done() : CommandResult::Refused();
}

CommandResult CommandInterpreter::Minimum(const CommandText& command)
{
    const double value = LeadingNumber(command.argument).value_or(0.0);
    if (!Limits::kMinimumIntensity.Contains(value)) {
        return CommandResult::Warning(
            "The minimum intensity must be from " + Limits::kMinimumIntensity.Span() + ".",
            Icon::None);
    }
    m_workspace.SetMinimumIntensity(value);
    return CommandResult::Done();
}

CommandResult CommandInterpreter::All(const CommandText& command)
{
    const std::string word = ToUpper(command.argument);
    if (word.empty() || word == "ELEMENTS" || word == "ELEMENT") {
        ElementSelection::SetAll(m_text, true);
    } else if (word == "VALENCES" || word == "VALENCE") {
        m_text.ValenceFlags.fill(1);
    } else {
        return CommandResult::Refused();
    }
    m_workspace.SelectionChanged();
    return CommandResult::Done();
}

CommandResult CommandInterpreter::Print(const CommandText&)
{
    m_workspace.Print();
    return CommandResult::Done();
}

CommandResult CommandInterpreter::Only(const CommandText& command)
{
    return ChangeListedElements(command.argument, ElementSelection::Change::Only);
}

CommandResult CommandInterpreter::Elements(const CommandText& command)
{
    return ChangeListedElements(command.argument, ElementSelection::Change::Invert);
}

CommandResult CommandInterpreter::Add(const CommandText& command)
{
    return ChangeListedElements(command.argument, ElementSelection::Change::Select);
}

CommandResult CommandInterpreter::Remove(const CommandText& command)
{
    return ChangeListedElements(command.argument, ElementSelection::Change::Deselect);
}

CommandResult CommandInterpreter::ChangeListedElements(std::string_view argument,
                                                       ElementSelection::Change change)
{
    const std::vector<std::string> names = Words(argument, true);
    if (names.empty()) {
        return CommandResult::Refused();
    }
    if (auto warning = ElementSelection::ChangeListed(m_text, m_facts, names, change)) {
        return CommandResult::Warning(*warning, Icon::None);
    }
    m_workspace.SelectionChanged();
    return CommandResult::Done();
}

// Empty toggles, switch words set; anything else names an overlay file to read.
CommandResult CommandInterpreter::Overlay(const CommandText& command)
{
    GraphView* graph = m_workspace.Graph();
    if (graph == nullptr) {
        return CommandResult::Warning(kGraphOnly, Icon::Exclamation);
    }
    const Switch on = CommandArguments::ReadSwitch(command.argument);
    const std::optional<std::string> name = CommandArguments::FileName(command.argument);
    if (!name) {
        return CommandResult::Warning(CommandArguments::kBadQuotes, Icon::Exclamation);
    }
    if (command.argument.empty()) {
        graph->SetDisplayOverlay(!graph->DisplayOverlay());
    } else if (on != Switch::None) {
        graph->SetDisplayOverlay(on == Switch::On);
    } else {
        // A file that could not be read leaves the overlay as it was, shown or not; the
        // workspace has said why, and a file of commands stops there.
        if (!m_workspace.LoadOverlay(*name)) {
            return CommandResult::Refused();
        }
        graph->SetDisplayOverlay(true);
    }
    graph->Repaint();
    return CommandResult::Done();
}

CommandResult CommandInterpreter::Show(const CommandText& command)
{
    if (command.argument.empty()) {
        return CommandResult::Warning(
            "You must specify a window to show. Choices are\nElement, Data, or Graph.",
            Icon::Exclamation);
    }
    return ShowOrHidePanes(command.argument, true);
}

CommandResult CommandInterpreter::Hide(const CommandText& command)
{
    if (command.argument.empty()) {
        return CommandResult::Warning(
            "You must specify a window to hide. Choices are\nElement, Data, or Graph.",
            Icon::Exclamation);
    }
    return ShowOrHidePanes(command.argument, false);
}

// Each named pane is toggled only when that changes whether it is shown.
CommandResult CommandInterpreter::ShowOrHidePanes(std::string_view argument, bool show)
{
    for (const std::string& word : Words(argument, false)) {
        const std::string name = ToUpper(word);
        if ((name == "ELEMENT" || name == "ELEMENTS") &&
            m_workspace.IsPaneShown(WorkspaceOperations::kElementPane) != show) {
            m_workspace.ToggleElementWindow();
        } else if (name == "DATA" &&
                   m_workspace.IsPaneShown(WorkspaceOperations::kDataPane) != show) {
            m_workspace.ToggleDataWindow();
        } else if (name == "GRAPH" &&
                   m_workspace.IsPaneShown(WorkspaceOperations::kGraphPane) != show) {
            m_workspace.ToggleGraphWindow();
        }
    }
    return CommandResult::Done();
}

// Empty shows all five orders; otherwise only the listed ones, each a number from 1 to 5.
CommandResult CommandInterpreter::Orders(const CommandText& command)
{
    GraphView* graph = m_workspace.Graph();
    if (graph == nullptr) {
        return CommandResult::Warning(kGraphOnly, Icon::Exclamation);
    }
    const std::vector<std::string> items = Words(command.argument, true);
    for (const std::string& item : items) {
        if (!IsOrder(item)) {
            return CommandResult::Warning("\"" + item + "\" is not an order from 1 to " +
                                              std::to_string(GraphView::kOrders) + ".",
                                          Icon::None);
        }
    }
    for (int order = 1; order <= GraphView::kOrders; ++order) {
        graph->SetOrderDisplayed(order, items.empty());
    }
    for (const std::string& item : items) {
        graph->SetOrderDisplayed(static_cast<int>(*LeadingInteger(item)), true);
    }
    graph->Repaint();
    return CommandResult::Done();
}

CommandResult CommandInterpreter::Decimals(const CommandText& command)
{
    const long long decimals = LeadingInteger(command.argument).value_or(0);
    if (decimals < 0 || decimals > Limits::kMaxDecimals) {
        return CommandResult::Warning("Number of decimals places must be from 0-" +
                                          std::to_string(Limits::kMaxDecimals) + " inclusive.",
                                      Icon::None);
    }
    m_tables.SetDecimals(static_cast<int>(decimals));
    m_workspace.RefreshViews();
    return CommandResult::Done();
}

CommandResult CommandInterpreter::Down(const CommandText& command)
{
    m_workspace.MoveDown(CommandArguments::RepeatCount(command.argument));
    return CommandResult::Done();
}

CommandResult CommandInterpreter::Up(const CommandText& command)
{
    m_workspace.MoveUp(CommandArguments::RepeatCount(command.argument));
    return CommandResult::Done();
}

CommandResult CommandInterpreter::Vacuum(const CommandText&)
{
    return SetUnitMode(kUnitVacuum);
}

CommandResult CommandInterpreter::WaveNumber(const CommandText&)
{
    return SetUnitMode(kUnitWaveNumber);
}

CommandResult CommandInterpreter::Air(const CommandText&)
{
    return SetUnitMode(kUnitAir);
}

CommandResult CommandInterpreter::SetUnitMode(UnitMode unitMode)
{
    m_tables.SetUnitMode(unitMode);
    m_workspace.RefreshViews();
    return CommandResult::Done();
}

// Only the leading number counts; a wave number must be above 0.
CommandResult CommandInterpreter::GoTo(const CommandText& command)
{
    const bool waveNumber = m_tables.UnitMode() == kUnitWaveNumber;
    const std::optional<double> value = LeadingNumber(command.argument);
    if (!value) {
        return CommandResult::Warning(NoNumberWarning(command.argument, waveNumber), Icon::None);
    }
    if (!m_tables.GoToDisplayValue(*value)) {
        return CommandResult::Warning(waveNumber ? "A wave number must be a number greater than 0."
                                                 : "The wavelength is out of range.",
                                      Icon::None);
    }
    m_workspace.RefreshViews();
    return CommandResult::Done();
}

CommandResult CommandInterpreter::Periodic(const CommandText&)
{
    return SetElementLayout(ElementLayout::Periodic);
}

CommandResult CommandInterpreter::Alphabetical(const CommandText&)
{
    return SetElementLayout(ElementLayout::Alphabetical);
}

CommandResult CommandInterpreter::Atomic(const CommandText&)
{
    return SetElementLayout(ElementLayout::AtomicNumber);
}

CommandResult CommandInterpreter::SetElementLayout(ElementLayout layout)
{
    ElementView* elements = m_workspace.Elements();
    if (elements == nullptr) {
        return CommandResult::Warning(kElementsOnly, Icon::Exclamation);
    }
    elements->SetLayout(layout);
    return CommandResult::Done();
}

// Up to three words: the file, the content and the range text. Without words the dialog asks.
CommandResult CommandInterpreter::Export(const CommandText& command)
{
    const auto words = command.argument.empty()
                           ? std::optional<std::vector<std::string>>(std::in_place)
                           : CommandArguments::WordsAtEachBlank(command.argument);
    if (!words) {
        return CommandResult::Warning(CommandArguments::kBadQuotes, Icon::Exclamation);
    }
    if (words->size() > 3) {
        return CommandResult::Warning(
            "EXPORT takes at most a file name, DATA, SUMMATION or BOTH, and a range. A file name "
            "with blanks goes in quotation marks (\"my file.txt\").",
            Icon::Exclamation);
    }
    return m_workspace.Export(*words) ? CommandResult::Done() : CommandResult::Refused();
}

CommandResult CommandInterpreter::About(const CommandText&)
{
    m_workspace.About();
    return CommandResult::Done();
}

CommandResult CommandInterpreter::CommandHelp(const CommandText&)
{
    m_workspace.ShowHelp(WorkspaceOperations::kHelpCommands);
    return CommandResult::Done();
}

CommandResult CommandInterpreter::Help(const CommandText&)
{
    m_workspace.ShowHelp(WorkspaceOperations::kHelpContents);
    return CommandResult::Done();
}

// LINEAR and EXPONENTIAL choose the intensity scale of the list, as the menu's Linear does.
CommandResult CommandInterpreter::Linear(const CommandText& command)
{
    m_tables.SetLinear(ToUpper(command.keyword) == "LINEAR");
    m_workspace.RefreshViews();
    return CommandResult::Done();
}

CommandResult CommandInterpreter::Ion(const CommandText& command)
{
    if (auto warning = ElementSelection::SetValences(m_text, command.argument)) {
        return CommandResult::Warning(*warning, Icon::None);
    }
    m_workspace.SelectionChanged();
    return CommandResult::Done();
}

// Limits the scan to the graph's range around the current line, or frees it.
CommandResult CommandInterpreter::Scan(const CommandText& command)
{
    GraphView* graph = m_workspace.Graph();
    if (graph == nullptr) {
        return CommandResult::Warning(
            "The scan range can be restricted only when the graph window is displayed.",
            Icon::None);
    }
    if (command.argument.empty() || EqualsIgnoringCase(command.argument, "ALL")) {
        m_tables.SetSpan(TableArray::kFullSpan);
    } else if (EqualsIgnoringCase(command.argument, "RANGE")) {
        m_tables.LimitScanTo(graph->Range());
    } else {
        return CommandResult::Refused();
    }
    return CommandResult::Done();
}

// IDENTIFY, or IDENTIFY n for peaks at least n times the noise above the continuum (5 unless
// given).
CommandResult CommandInterpreter::Identify(const CommandText& command)
{
    constexpr double kDefaultThreshold = 5.0;
    const std::optional<double> sigmas =
        command.argument.empty() ? kDefaultThreshold : LeadingNumber(command.argument);
    if (!sigmas || !Limits::kPeakThreshold.Contains(*sigmas)) {
        return CommandResult::Warning("The peak threshold must be from " +
                                          Limits::kPeakThreshold.Span() + " times the noise.",
                                      Icon::Exclamation);
    }
    return m_workspace.Identify(*sigmas) ? CommandResult::Done() : CommandResult::Refused();
}

CommandResult CommandInterpreter::Spectrum(const CommandText& command)
{
    GraphView* graph = m_workspace.Graph();
    if (graph == nullptr) {
        return CommandResult::Warning(kGraphOnly, Icon::Exclamation);
    }
    return SpectrumCommand::Run(command.id, command.argument, *graph);
}
