#pragma once

#include "graph/GraphSettings.h"

#include <string>
#include <vector>

#include <QDialog>

class QTabWidget;
class TableArray;
class TGraphColoursDialog;
class TGraphProfilePage;
class TGraphPropertiesDialog;
class TGraphWindow;

// "Graph options": the "Display" and "Colours" pages over a copy of the graph's settings. OK
// checks every number field first; a refused one is explained, gets the focus and keeps the
// dialog open. Cancel changes nothing.
class TGraphOptionsDialog : public QDialog {
    Q_OBJECT

public:
    // `tableLabels` in table order, one per source.
    TGraphOptionsDialog(QWidget* parent, const GraphSettings& settings,
                        const std::vector<std::string>& tableLabels);

    // The settings given, with both pages written into them.
    GraphSettings Settings() const;

    void accept() override;

    // Opens the dialog on the graph's settings and the sources of `tables`; on OK gives the graph
    // the new settings and returns true.
    static bool Run(QWidget* parent, TGraphWindow& graph, const TableArray& tables);

    static constexpr int kHelpContext = 68;

private:
    GraphSettings m_settings;
    QTabWidget* m_pages;
    TGraphPropertiesDialog* m_display;
    TGraphColoursDialog* m_colours;
    TGraphProfilePage* m_profile;
};
