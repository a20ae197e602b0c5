#include "app/TSaveGraphDialog.h"

#include "framework/AtomicFile.h"
#include "graph/TGraphWindow.h"

#include <QBuffer>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSvgGenerator>

namespace {

constexpr int kMinimumExtent = 16;
constexpr int kMaximumExtent = 10000;
constexpr int kScreenDpi = 96;

QSpinBox* ExtentBox(int value, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setRange(kMinimumExtent, kMaximumExtent);
    box->setValue(std::clamp(value, kMinimumExtent, kMaximumExtent));
    box->setSuffix(QObject::tr(" px"));
    return box;
}

// A row of layouts gets no buddy from QFormLayout, and a label without one shows its '&'.
QLabel* Buddied(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text, buddy->parentWidget());
    label->setBuddy(buddy);
    return label;
}

// Paper starts white; the screen's picture paints its own black.
void Draw(QPaintDevice& device, const TGraphWindow& graph, QSize size, bool paper)
{
    QPainter painter(&device);
    if (paper) {
        painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    }
    graph.Render(painter, size, paper);
}

}  // namespace

TSaveGraphDialog::TSaveGraphDialog(QWidget* parent, const TGraphWindow& graph)
    : QDialog(parent),
      m_graph(graph),
      m_fileName(new QLineEdit(this)),
      m_width(ExtentBox(graph.width(), this)),
      m_height(ExtentBox(graph.height(), this)),
      m_paper(new QRadioButton(tr("Colours for &paper (dark on white)"), this))
{
    setWindowTitle(tr("Save graph as"));
    auto* browse = new QPushButton(tr("..."), this);
    browse->setToolTip(tr("Choose the file"));
    connect(browse, &QPushButton::clicked, this, &TSaveGraphDialog::Browse);
    auto* file = new QHBoxLayout;
    file->addWidget(m_fileName);
    file->addWidget(browse);
    m_fileName->setToolTip(tr("A name ending in .png, .svg or .pdf"));
    auto* size = new QHBoxLayout;
    size->addWidget(m_width);
    size->addWidget(new QLabel(QStringLiteral("\u00D7"), this));
    size->addWidget(m_height);
    auto* screen = new QRadioButton(tr("&Screen colours"), this);
    screen->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TSaveGraphDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(Buddied(tr("&File:"), m_fileName), file);
    form->addRow(Buddied(tr("Si&ze:"), m_width), size);
    form->addRow(tr("Colours:"), screen);
    form->addRow(QString(), m_paper);
    form->addRow(buttons);
    setMinimumWidth(420);
}

QString TSaveGraphDialog::FileName() const
{
    return m_fileName->text().trimmed();
}

void TSaveGraphDialog::SetFileName(const QString& name)
{
    m_fileName->setText(name);
}

QSize TSaveGraphDialog::PictureSize() const
{
    return QSize(m_width->value(), m_height->value());
}

bool TSaveGraphDialog::PaperColours() const
{
    return m_paper->isChecked();
}

void TSaveGraphDialog::Browse()
{
    const QString name = QFileDialog::getSaveFileName(
        this, tr("Save graph as"), FileName(),
        tr("PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)"));
    if (!name.isEmpty()) {
        m_fileName->setText(name);
    }
}

// Stays open with a message until the picture is written.
void TSaveGraphDialog::accept()
{
    QString error;
    if (Write(m_graph, FileName(), PictureSize(), PaperColours(), &error)) {
        QDialog::accept();
    } else {
        QMessageBox::warning(this, tr("Warning"), error);
    }
}

bool TSaveGraphDialog::Write(const TGraphWindow& graph, const QString& fileName, QSize size,
                             bool paper, QString* error)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (fileName.isEmpty() || (suffix != "png" && suffix != "svg" && suffix != "pdf")) {
        *error = tr("Give the file a name ending in .png, .svg or .pdf.");
        return false;
    }
    const QFileInfo target(fileName);
    if (!target.absoluteDir().exists()) {
        // Making folders for a mistyped name would leave them behind.
        *error = tr("Could not save the graph as %1.\n\nThe folder %2 does not exist.")
                     .arg(fileName, target.absolutePath());
        return false;
    }
    // Drawn into memory first, then written by the same replacement as every other file:
    // QSaveFile took a write cut short by a full disk for success.
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    bool drawn = true;
    if (suffix == "png") {
        QImage image(size, QImage::Format_RGB32);
        Draw(image, graph, size, paper);
        drawn = image.save(&file, "PNG");
    } else if (suffix == "svg") {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(kScreenDpi);
        svg.setTitle(tr("Spekla graph"));
        Draw(svg, graph, size, paper);
    } else {
        QPdfWriter pdf(&file);
        pdf.setResolution(kScreenDpi);
        pdf.setPageSize(QPageSize(QSizeF(size) * 72.0 / kScreenDpi, QPageSize::Point));
        pdf.setPageMargins(QMarginsF());
        pdf.setTitle(tr("Spekla graph"));
        Draw(pdf, graph, size, paper);
    }
    std::string reason = "the picture could not be drawn";
    const QByteArray& bytes = file.data();
    if (!drawn ||
        !WriteFileAtomically(QFile::encodeName(fileName).toStdString(),
                             std::string_view(bytes.constData(), bytes.size()), &reason)) {
        *error = tr("Could not save the graph as %1.\n\n%2")
                     .arg(fileName, QString::fromStdString(reason));
        return false;
    }
    return true;
}
