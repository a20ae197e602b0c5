#include "peaks/TPeaksWindow.h"

#include "analysis/Identification.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "database/WavelengthFormat.h"
#include "database/WavetableFile.h"
#include "framework/NumberFormat.h"

#include <cmath>

#include <QHeaderView>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// The wavelength a row goes to, kept in the row.
constexpr int kWavelengthRole = Qt::UserRole;

QTreeWidget* MakeTree(const QStringList& titles, const char* name, QWidget* parent)
{
    auto* tree = new QTreeWidget(parent);
    tree->setObjectName(name);
    tree->setHeaderLabels(titles);
    tree->setRootIsDecorated(true);
    tree->setUniformRowHeights(true);
    tree->header()->setStretchLastSection(true);
    return tree;
}

int32_t Thousandths(double angstrom)
{
    return static_cast<int32_t>(std::lround(angstrom * 1000.0));
}

}  // namespace

TPeaksWindow::TPeaksWindow(const TextTables& text, const TableArray& tables, QWidget* parent)
    : QWidget(parent),
      m_text(text),
      m_tables(tables),
      m_peaks(MakeTree({tr("Peak"), tr("S/N"), tr("Line"), tr("\u0394\u03BB"), tr("Score")},
                       "peaks", this)),
      m_spectra(MakeTree(
          {tr("Spectrum"), tr("Verdict"), tr("Score"), tr("Lines found"), tr("Strongest not seen")},
          "spectra", this))
{
    m_peaks->setToolTip(tr("Click a peak to go to it, a line to go to that line"));
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(m_peaks);
    split->addWidget(m_spectra);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split);
    connect(m_peaks, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { Choose(item); });
    connect(m_peaks, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { Choose(item); });
    Show(nullptr);
}

void TPeaksWindow::Show(const Identification* identification)
{
    m_peaks->clear();
    m_spectra->clear();
    if (identification == nullptr) {
        new QTreeWidgetItem(m_peaks, {tr("Load a spectrum (OVERLAY) and type IDENTIFY")});
        return;
    }
    FillPeaks(*identification);
    FillSpectra(*identification);
    for (QTreeWidget* tree : {m_peaks, m_spectra}) {
        for (int column = 0; column + 1 < tree->columnCount(); ++column) {
            tree->resizeColumnToContents(column);
        }
    }
}

// One row per peak with its best candidate; the others are its children.
void TPeaksWindow::FillPeaks(const Identification& identification)
{
    const auto& peaks = identification.Peaks();
    for (size_t i = 0; i < peaks.size(); ++i) {
        const MeasuredPeak& peak = peaks[i];
        auto* row = new QTreeWidgetItem(
            m_peaks, {Shown(peak.centre), QString::number(peak.signalToNoise, 'f', 1)});
        row->setData(0, kWavelengthRole, Thousandths(peak.centre));
        const auto& candidates = identification.Candidates()[i];
        for (size_t rank = 0; rank < candidates.size(); ++rank) {
            const CandidateLine& line = candidates[rank].line;
            QTreeWidgetItem* item =
                rank == 0 ? row : new QTreeWidgetItem(row, {QString(), QString()});
            item->setText(2, QString::fromStdString(LineText(line)));
            item->setText(3, QString::number(line.position - peak.centre, 'f', 3));
            item->setText(4, QString::number(candidates[rank].score, 'f', 0));
            if (rank > 0) {
                item->setData(0, kWavelengthRole, Thousandths(line.wavelength));
            }
        }
        if (candidates.empty()) {
            row->setText(2, tr("no line"));
        }
    }
}

void TPeaksWindow::FillSpectra(const Identification& identification)
{
    for (const ElementSummary::Spectrum& spectrum : identification.Spectra()) {
        QStringList missing;
        for (const CandidateLine& line : spectrum.missing) {
            missing << Shown(line.wavelength);
        }
        new QTreeWidgetItem(m_spectra,
                            {QString::fromStdString(spectrum.name),
                             tr(ElementSummary::VerdictText(spectrum.verdict)),
                             QString::number(spectrum.score, 'f', 0),
                             QString::number(spectrum.matched.size()), missing.join(", ")});
    }
}

// "Hg I 4358.335 (lamps)": the line, in the units shown, and its source.
std::string TPeaksWindow::LineText(const CandidateLine& line) const
{
    std::string name =
        ElementSummary::Name(line.spectrum, m_text) + ' ' + Shown(line.wavelength).toStdString();
    if (line.order > 1) {
        name += " (" + std::to_string(line.order) + ". order)";
    }
    return name + " \u00B7 " + m_tables.FileAt(line.table).Label();
}

QString TPeaksWindow::Shown(double angstrom) const
{
    return QString::fromStdString(FormatWavelength(angstrom, m_tables.Settings()));
}

void TPeaksWindow::Choose(QTreeWidgetItem* item)
{
    const QVariant wavelength = item->data(0, kWavelengthRole);
    if (wavelength.isValid()) {
        emit WavelengthChosen(wavelength.toInt());
    }
}
