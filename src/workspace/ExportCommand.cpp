#include "workspace/ExportCommand.h"

#include "analysis/PeaksExport.h"
#include "framework/IdleDriver.h"
#include "framework/Limits.h"
#include "framework/NumberFormat.h"
#include "framework/StringUtil.h"
#include "framework/WaitCursor.h"
#include "graph/TGraphWindow.h"
#include "workspace/ExportSettings.h"
#include "workspace/ExportWriter.h"
#include "workspace/TExportDialog.h"

#include <algorithm>

#include <QDir>

ExportCommand::ExportCommand(const TextTables& text, TableArray& tables, IdleDriver& idle)
    : m_text(text), m_tables(tables), m_idle(idle)
{
}

CommandResult ExportCommand::Run(const std::vector<std::string>& words, ExportSettings& settings,
                                 TGraphWindow* graph, const Identification* identification,
                                 QWidget* parent)
{
    if (words.empty()) {
        if (!Ask(settings, graph, parent)) {
            return CommandResult::Refused();
        }
        return settings.Peaks != 0 ? WritePeaks(settings, identification) : Write(settings, graph);
    }
    ExportSettings typed = settings;
    typed.ApplyWords(words);
    if (!ExportWriter::ParseRange(typed.Range)) {
        return CommandResult::Warning(ExportWriter::RangeError(), CommandResult::Icon::Exclamation);
    }
    settings = typed;
    return typed.Peaks != 0 ? WritePeaks(typed, identification) : Write(typed, graph);
}

CommandResult ExportCommand::WritePeaks(const ExportSettings& settings,
                                        const Identification* identification) const
{
    if (identification == nullptr) {
        return CommandResult::Warning(
            "No peaks have been identified yet: load a spectrum with OVERLAY and type IDENTIFY "
            "first.",
            CommandResult::Icon::Exclamation);
    }
    std::string error;
    const std::string path = ExpandHomeFolder(settings.FileName, QDir::homePath().toStdString());
    if (!ExportWriter::WriteText(path, PeaksExport::Text(*identification, m_text, m_tables),
                                 &error)) {
        return CommandResult::Warning("Could not export to " + settings.FileName + ".\n\n" + error,
                                      CommandResult::Icon::Exclamation);
    }
    return CommandResult::Done();
}

// The range starts as the graph shows it; a cancelled dialog keeps that range text.
bool ExportCommand::Ask(ExportSettings& settings, const TGraphWindow* graph, QWidget* parent) const
{
    settings.Range = graph != nullptr
                         ? FormatPointShown(std::min(graph->Range(), Limits::kExportRange.Max()), 2)
                         : "5.0";
    TExportDialog dialog(settings, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    settings = dialog.Settings();
    return true;
}

// The list is completed first, as it may move the cursor and with it the graph's centre; then
// the graph finishes its pass, so that the curve holds every line of the plot.
CommandResult ExportCommand::Write(const ExportSettings& settings, TGraphWindow* graph)
{
    std::string error;
    bool written = false;
    {
        const WaitCursor wait;
        ExportWriter writer(m_text, m_tables);
        const double range = ExportWriter::ParseRange(settings.Range).value_or(0.0);
        writer.CompleteWindow(range);
        ExportWriter::Curve curve;
        if (graph != nullptr) {
            graph->ListChanged();
            graph->CompletePass();
            curve.samples = graph->Curve().Samples();
            curve.range = graph->Range();
        }
        const std::string path =
            ExpandHomeFolder(settings.FileName, QDir::homePath().toStdString());
        written = writer.Write(path, settings, range, curve, &error);
    }
    m_idle.Wake();  // the list may have grown
    if (!written) {
        return CommandResult::Warning("Could not export to " + settings.FileName + ".\n\n" + error,
                                      CommandResult::Icon::Exclamation);
    }
    return CommandResult::Done();
}
