#pragma once

#include "analysis/Identification.h"
#include "graph/GraphPainter.h"

#include <vector>

#include <QString>

class GraphView;
class TextTables;

// What the workspace makes of an identification for the user: the settings it runs with, the
// status bar's summary and the names the graph puts on the peaks.
namespace IdentificationView {

// The threshold, and the orders the graph shows (the first alone without a graph).
Identification::Settings SettingsFor(double sigmas, const GraphView* graph);

// "42 peaks, 37 with candidate lines; present: Hg I, Ne I".
QString Summary(const Identification& identification);

// Each peak with a candidate, named by its best line, at the overlay's value at its top.
std::vector<PeakMark> Marks(const Identification& identification, const TextTables& text);

}  // namespace IdentificationView
