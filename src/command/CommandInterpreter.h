#pragma once

#include "command/CommandResult.h"
#include "command/ElementSelection.h"
#include "command/ElementView.h"
#include "database/ElementFacts.h"
#include "database/WavelengthFormat.h"

#include <string_view>

class TableArray;
class TextTables;
class WorkspaceOperations;

// Carries out the typed commands: one handler per command number, each reading its argument,
// changing the line database and calling the workspace for what concerns windows and files.
// Every number is checked before use (finite, inside what the command can use); a refusal
// comes back as a warning for the workspace to show, with nothing changed.
class CommandInterpreter {
public:
    // The keyword as matched (LINEAR and EXPONENTIAL share a number) and the argument text.
    struct CommandText {
        std::string_view keyword;
        std::string_view argument;
        int id = 0;  // the command's number
    };

    // Everything passed in must outlive the interpreter. `facts` gives the element names that
    // may stand for symbols.
    CommandInterpreter(TextTables& text, TableArray& tables, WorkspaceOperations& workspace,
                       const ElementFacts& facts = ElementFacts::Installed());

    // Unknown command numbers are refused without a warning.
    CommandResult Execute(int commandId, std::string_view keyword, std::string_view argument);
    static bool Handles(int commandId);

private:
    using Handler = CommandResult (CommandInterpreter::*)(const CommandText&);
    struct Entry {
        int commandId;
        Handler handler;
    };
    static const Entry kHandlers[];

    CommandResult Summation(const CommandText& command);
    CommandResult Ratios(const CommandText& command);
    CommandResult Range(const CommandText& command);
    CommandResult Height(const CommandText& command);
    CommandResult Source(const CommandText& command);
    CommandResult Clear(const CommandText& command);
    CommandResult Load(const CommandText& command);
    CommandResult Save(const CommandText& command);
    CommandResult Minimum(const CommandText& command);
    CommandResult All(const CommandText& command);
    CommandResult Print(const CommandText& command);
    CommandResult Only(const CommandText& command);
    CommandResult Elements(const CommandText& command);
    CommandResult Add(const CommandText& command);
    CommandResult Remove(const CommandText& command);
    CommandResult Overlay(const CommandText& command);
    CommandResult Show(const CommandText& command);
    CommandResult Hide(const CommandText& command);
    CommandResult Orders(const CommandText& command);
    CommandResult Decimals(const CommandText& command);
    CommandResult Down(const CommandText& command);
    CommandResult Up(const CommandText& command);
    CommandResult Vacuum(const CommandText& command);
    CommandResult WaveNumber(const CommandText& command);
    CommandResult Air(const CommandText& command);
    CommandResult GoTo(const CommandText& command);
    CommandResult Periodic(const CommandText& command);
    CommandResult Alphabetical(const CommandText& command);
    CommandResult Atomic(const CommandText& command);
    CommandResult Export(const CommandText& command);
    CommandResult About(const CommandText& command);
    CommandResult CommandHelp(const CommandText& command);
    CommandResult Help(const CommandText& command);
    CommandResult Linear(const CommandText& command);
    CommandResult Ion(const CommandText& command);
    CommandResult Scan(const CommandText& command);
    CommandResult Identify(const CommandText& command);
    CommandResult Spectrum(const CommandText& command);

    CommandResult ChangeListedElements(std::string_view argument, ElementSelection::Change change);
    CommandResult SetUnitMode(UnitMode unitMode);
    CommandResult SetElementLayout(ElementLayout layout);
    CommandResult GraphNumber(std::string_view argument, bool range);
    CommandResult ShowOrHidePanes(std::string_view argument, bool show);

    TextTables& m_text;
    TableArray& m_tables;
    WorkspaceOperations& m_workspace;
    const ElementFacts& m_facts;
};
