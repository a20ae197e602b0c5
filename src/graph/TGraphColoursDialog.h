#pragma once

#include "graph/GraphSettings.h"

#include <array>
#include <string>
#include <vector>

#include <QColor>
#include <QWidget>

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QListWidget;
class TColourButton;

// The "Colours" page of the graph options: the colours of the summation, the overlay, the labels
// and each order; five element names with colours of their own, used while "Elements" is
// checked; and the colour of each source, chosen from the "Source" list.
class TGraphColoursDialog : public QWidget {
    Q_OBJECT

public:
    explicit TGraphColoursDialog(QWidget* parent = nullptr);

    // `tableLabels` in table order; table i takes settings.TableColour(i). Element names longer
    // than kElementNameLength letters are cut.
    void Fill(const GraphSettings& settings, const std::vector<std::string>& tableLabels);
    // Writes the page into `settings`, the colour of every listed table included.
    void Apply(GraphSettings& settings) const;

private:
    TColourButton* AddColour(QGridLayout* grid, int row, const QString& label, const char* name,
                             int helpContext);
    QWidget* MakeGeneralGroup();
    QWidget* MakeElementGroup();
    QWidget* MakeSourceGroup();
    void UpdateElementControls();
    void ShowSelectedTableColour();
    void ChooseTableColour();

    TColourButton* m_summation = nullptr;
    TColourButton* m_overlay = nullptr;
    TColourButton* m_label = nullptr;
    std::array<TColourButton*, GraphSettings::kOrders> m_orders{};
    QCheckBox* m_useElementColours = nullptr;
    std::array<TColourButton*, GraphSettings::kElementColours> m_elements{};
    std::array<QLineEdit*, GraphSettings::kElementColours> m_elementNames{};
    QListWidget* m_tables = nullptr;
    TColourButton* m_tableColour = nullptr;
    std::vector<QColor> m_tableColours;  // the copy the page edits, by table index
};
