#pragma once

#include "graph/GraphSettings.h"

#include <array>

#include <QWidget>

class QCheckBox;
class QComboBox;
class DoubleRange;
class QFormLayout;
class QRadioButton;
class TRangeEdit;

// The "Display" page of the graph options: range and its step, line width, height and its step
// in per cent, the summation mode, the overlay, and which orders are drawn.
class TGraphPropertiesDialog : public QWidget {
    Q_OBJECT

public:
    explicit TGraphPropertiesDialog(QWidget* parent = nullptr);

    // Numbers outside a field's range show the nearer limit.
    void Fill(const GraphSettings& settings);
    // The first number field whose text its range refuses, in page order; nullptr when none.
    TRangeEdit* InvalidField() const;
    // Writes the page into `settings`; a number left as shown keeps its exact value. Expects no
    // invalid field.
    void Apply(GraphSettings& settings) const;

    static constexpr int kTextLimit = 19;  // characters a number field takes

private:
    TRangeEdit* AddNumber(QFormLayout* form, const char* name, const QString& label,
                          const DoubleRange& limit, int helpContext);
    QWidget* MakeSummationGroup();
    QWidget* MakeOrderGroup();

    TRangeEdit* m_range;
    TRangeEdit* m_rangeStep;
    TRangeEdit* m_lineWidth;
    TRangeEdit* m_height;
    TRangeEdit* m_heightChange;
    std::array<QRadioButton*, 3> m_summation{};  // by summation mode
    QCheckBox* m_displayOverlay = nullptr;
    QCheckBox* m_treatOrderAsRatio = nullptr;
    QCheckBox* m_fitHeight = nullptr;
    QComboBox* m_overlayStyle = nullptr;
    QCheckBox* m_overlayOnLineScale = nullptr;
    std::array<QCheckBox*, GraphSettings::kOrders> m_orders{};
};
