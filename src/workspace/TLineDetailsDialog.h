#pragma once

#include <QDialog>

class QLabel;
struct DisplaySettings;
struct DisplayWaveData;

// "Line details": the element, stage and wavelength of one line and what else is known of it
// (its levels, transition, element and shifted wavelength). Not modal: the list and graph stay
// in use, and asking for another line shows it in the same box.
class TLineDetailsDialog : public QDialog {
    Q_OBJECT

public:
    explicit TLineDetailsDialog(QWidget* parent);

    // Shows `line` in the box of `parent`, made on first use; `velocity` in km/s.
    static void Show(QWidget* parent, const DisplayWaveData& line, const DisplaySettings& settings,
                     double velocity);

    void SetLine(const DisplayWaveData& line, const DisplaySettings& settings, double velocity);

private:
    QLabel* m_heading;
    QLabel* m_details;
};
