#pragma once

#include <QString>

class CommandInterpreter;
class TableArray;
class TextTables;
class TSpeklaWindow;

// What the menu items, their keys and the tool bar do. Items with a typed form run the same
// command as typed; the others ask for a value, step a setting or act on a pane.
class MenuCommandHandler {
public:
    // Everything passed in must outlive the handler.
    MenuCommandHandler(TSpeklaWindow& workspace, CommandInterpreter& interpreter, TextTables& text,
                       TableArray& tables);

    // False for a command of the frame (exit, command line, print set-up, save graph).
    bool Run(int commandId);

private:
    bool RunMenuOnlyCommand(int commandId);
    bool RunGraphCommand(int commandId);
    void RunTyped(int commandId, const char* argument);
    double ShownMinimumIntensity() const;
    void RunDialogCommand(int commandId, const QString& prompt, const QString& initial,
                          bool intensityRange);
    void StepDecimals();
    void MoveByDisplayUnits(double units);
    void InvertSelection();
    void SetRatioOfSelected();
    void ChooseValences();
    void RunElementFileDialog(bool save);
    void RunOverlayFileDialog();

    TSpeklaWindow& m_workspace;
    CommandInterpreter& m_interpreter;
    TextTables& m_text;
    TableArray& m_tables;
};
