#pragma once

#include "command/CommandResult.h"

#include <string>
#include <vector>

class Identification;
class IdleDriver;
class QWidget;
class TableArray;
class TextTables;
class TGraphWindow;
struct ExportSettings;

// EXPORT as the workspace carries it out: typed words or the export dialog give the settings,
// then the lines around the current one and the summation curve are written.
class ExportCommand {
public:
    // Everything passed in must outlive the command.
    ExportCommand(const TextTables& text, TableArray& tables, IdleDriver& idle);

    // Typed words whose range the dialog's field would refuse change nothing; otherwise they are
    // kept in `settings`, even when writing fails, so that the dialog offers them for another
    // try. No words: the dialog asks first (over `parent`). `graph` is null without a graph,
    // `identification` before the first IDENTIFY.
    CommandResult Run(const std::vector<std::string>& words, ExportSettings& settings,
                      TGraphWindow* graph, const Identification* identification, QWidget* parent);

private:
    bool Ask(ExportSettings& settings, const TGraphWindow* graph, QWidget* parent) const;
    CommandResult Write(const ExportSettings& settings, TGraphWindow* graph);
    CommandResult WritePeaks(const ExportSettings& settings,
                             const Identification* identification) const;

    const TextTables& m_text;
    TableArray& m_tables;
    IdleDriver& m_idle;
};
