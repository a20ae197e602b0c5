#pragma once

#include <string>

#include <QDialog>

class QLineEdit;

// Edits one data source's column label (up to 19 characters) and intensity scale (0 to 1000).
// OK with a scale out of range explains the range and keeps the dialog open.
class TSourceInfo : public QDialog {
    Q_OBJECT

public:
    // The caption is the source's file name; a longer label is cut to 19 characters.
    TSourceInfo(QWidget* parent, const QString& fileName, const std::string& label, double scale);

    std::string Label() const;
    // The scale as typed, read like atof (0 when it holds no number).
    double Scale() const;

    void accept() override;

    static constexpr int kLabelLength = 19;
    static constexpr int kScaleLength = 11;
    // How a scale is shown for editing: 1.00, 12.3, 1000, 0.000001.
    static std::string ScaleText(double scale);

private:
    QLineEdit* m_label;
    QLineEdit* m_scale;
};
