#pragma once

#include <cstdint>
#include <string>

#include <QWidget>

class Identification;
struct CandidateLine;
class QTreeWidget;
class QTreeWidgetItem;
class TableArray;
class TextTables;

// The peaks of the last identification: each with its best candidate line (the others on
// expanding it), and below them the spectra the peaks support, with a verdict. A click on a
// peak goes to it, a click on a candidate to its line.
class TPeaksWindow : public QWidget {
    Q_OBJECT

public:
    // Both must outlive the window.
    TPeaksWindow(const TextTables& text, const TableArray& tables, QWidget* parent = nullptr);

    // Shows `identification` (null: none yet, with a word on how to make one). It must stay
    // valid until the next call.
    void Show(const Identification* identification);

signals:
    void WavelengthChosen(int32_t wavelength);  // 0.001 Å

private:
    void FillPeaks(const Identification& identification);
    void FillSpectra(const Identification& identification);
    QString Shown(double angstrom) const;
    std::string LineText(const CandidateLine& line) const;
    void Choose(QTreeWidgetItem* item);

    const TextTables& m_text;
    const TableArray& m_tables;
    QTreeWidget* m_peaks;
    QTreeWidget* m_spectra;
};
