#pragma once

#include "workspace/ExportSettings.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// "Export data": the file, the full width in Å of the range centred on the current wavelength
// (half of it shown beside it as "± w/2 Å") and what to write. OK
// accepts only a range from 0 to 10; otherwise it explains the range and stays open. Each
// control carries its help topic in the "helpContext" property.
class TExportDialog : public QDialog {
    Q_OBJECT

public:
    TExportDialog(const ExportSettings& settings, QWidget* parent = nullptr);

    // The settings as the controls hold them.
    ExportSettings Settings() const;

    // The range text after `tenths` steps of 0.1 Å (negative: down), limited to 0 to 10 and
    // written with two significant digits and a point: 4 gives "4.0", 10 "10.", 0.5 "0.50".
    // A text that is not a number counts as 0.
    static QString SteppedRange(const QString& text, int tenths);
    // "(± 2.0 Å)" for the width "4": how far the range reaches either side. Empty for a width
    // that OK would refuse.
    static QString HalfRangeText(const QString& text);

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* MakeFileGroup();
    QGroupBox* MakeRangeGroup();
    void Browse();
    void StepRange(int tenths);

    QLineEdit* m_fileName;
    QLineEdit* m_range;
    QLabel* m_halfRange;
    QRadioButton* m_both;
    QRadioButton* m_summation;
    QRadioButton* m_data;
    QRadioButton* m_peaks;
};
