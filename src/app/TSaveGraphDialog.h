#pragma once

#include <QDialog>
#include <QSize>

class QLineEdit;
class QRadioButton;
class QSpinBox;
class TGraphWindow;

// "Save graph as": writes the graph as a PNG image, an SVG drawing or a PDF document (by the
// file's suffix) at a size the user chooses, in the screen's colours or in colours for paper,
// drawn by the same routines as the screen (vector in SVG and PDF).
class TSaveGraphDialog : public QDialog {
    Q_OBJECT

public:
    TSaveGraphDialog(QWidget* parent, const TGraphWindow& graph);

    QString FileName() const;
    QSize PictureSize() const;
    bool PaperColours() const;
    void SetFileName(const QString& name);

    // Writes the picture; on failure false and `error` says why, and any old file is left.
    static bool Write(const TGraphWindow& graph, const QString& fileName, QSize size, bool paper,
                      QString* error);

    void accept() override;

private:
    void Browse();

    const TGraphWindow& m_graph;
    QLineEdit* m_fileName;
    QSpinBox* m_width;
    QSpinBox* m_height;
    QRadioButton* m_paper;
};
