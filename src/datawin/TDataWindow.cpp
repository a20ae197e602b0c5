#include "datawin/TDataWindow.h"

#include "analysis/LineDetails.h"
#include "database/IntensityFormat.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "database/WavelengthFormat.h"
#include "database/WavetableFile.h"
#include "datawin/FontRecord.h"
#include "datawin/TMyColumnHeader.h"
#include "datawin/TSourceInfo.h"
#include "framework/SettingDescriptors.h"

#include <algorithm>
#include <cstdlib>

#include <QFontDialog>
#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

namespace {

constexpr BinarySetting kFontData{"Software\\Spekla\\Data Window", "Font data", FontRecord::kSize};
constexpr int kWheelLines = 3;         // rows moved by one notch of the mouse wheel
constexpr int kWavelengthMargin = 10;  // the wavelength ends this far before the column's edge
constexpr int kTextIndent = 5;

QFont ToFont(const FontRecord& record)
{
    QFont font(QString::fromStdString(record.faceName));
    font.setPixelSize(record.PixelHeight());
    const int weight = record.weight == 0 ? 400 : record.weight;
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 100, 900)));
    font.setItalic(record.italic != 0);
    font.setUnderline(record.underline != 0);
    font.setStrikeOut(record.strikeOut != 0);
    return font;
}

FontRecord ToRecord(const QFont& font)
{
    FontRecord record;
    record.faceName = font.family().toStdString().substr(0, FontRecord::kFaceSize - 1);
    // A font chosen in points is kept at the pixel size it has on this screen.
    const int pixels = QFontInfo(font).pixelSize();
    record.height = -std::max(pixels, 1);
    record.weight = font.weight();
    record.italic = font.italic() ? 1 : 0;
    record.underline = font.underline() ? 1 : 0;
    record.strikeOut = font.strikeOut() ? 1 : 0;
    return record;
}

int TextWidth(const QFont& font, const char* text)
{
    return QFontMetrics(font).horizontalAdvance(QString::fromUtf8(text));
}

}  // namespace

TDataWindow::TDataWindow(const TextTables& text, TableArray& tables, SettingsStore& store,
                         QWidget* parent)
    : QAbstractScrollArea(parent),
      m_text(text),
      m_tables(tables),
      m_store(store),
      m_header(new TMyColumnHeader(this)),
      m_contextMenu(new QMenu(this)),
      m_font(RestoredFont(store)),
      m_metrics(m_font),
      m_columns(TextWidth(m_font, "Wavelength 0.001 \u00C5") + 15,
                TextWidth(m_font, "Element") + 15)
{
    setFocusPolicy(Qt::NoFocus);
    viewport()->setFocusPolicy(Qt::NoFocus);
    verticalScrollBar()->setFocusPolicy(Qt::NoFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Base);
    m_columns.Restore(store, tables);
    SetRowFont(m_font);
    // Queued: the source dialog must not run inside the header's own mouse handling.
    connect(m_header, &QHeaderView::sectionClicked, this, &TDataWindow::EvHeaderClicked,
            Qt::QueuedConnection);
    m_header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_header, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_contextMenu->popup(m_header->mapToGlobal(at)); });
    // The wheel over the scroll bar walks groups of lines, as over the rows.
    verticalScrollBar()->installEventFilter(this);
    connect(m_header, &QHeaderView::sectionResized, this, &TDataWindow::EvSectionResized);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &TDataWindow::EvScrollAction);
    m_contextMenu->addAction(tr("&Font..."), this, &TDataWindow::ChooseFont);
    QAction* linear =
        m_contextMenu->addAction(tr("&Linear"), this, &TDataWindow::LinearToggleRequested);
    linear->setCheckable(true);
    connect(m_contextMenu, &QMenu::aboutToShow, this,
            [this, linear] { linear->setChecked(m_tables.Linear()); });
}

TDataWindow::~TDataWindow()
{
    CleanupWindow();
}

QFont TDataWindow::RestoredFont(SettingsStore& store)
{
    const auto bytes = kFontData.Stored(store);
    const auto record = bytes ? FontRecord::FromBytes(*bytes) : std::nullopt;
    return ToFont(record.value_or(FontRecord()));
}

void TDataWindow::CleanupWindow()
{
    if (m_cleanedUp) {
        return;
    }
    m_cleanedUp = true;
    m_columns.Save(m_store, m_tables);
    kFontData.Write(m_store, ToRecord(m_font).ToBytes());
}

void TDataWindow::SetRowFont(const QFont& font)
{
    m_font = font;
    m_metrics = QFontMetrics(font);
    m_lineHeight = std::max(m_metrics.lineSpacing(), 1);
    for (size_t code = 0; code < m_asciiAdvances.size(); ++code) {
        m_asciiAdvances[code] = m_metrics.horizontalAdvance(QChar(static_cast<char16_t>(code)));
    }
    viewport()->setFont(font);
    m_descriptionWidth = 0;
    const QFontMetrics metrics(font);
    for (const std::string& description : m_text.DescriptionTable) {
        m_descriptionWidth = std::max(
            m_descriptionWidth, metrics.horizontalAdvance(QString::fromStdString(description)));
    }
    m_header->setFont(font);
    LayOutHeader();
    Refresh();
}

void TDataWindow::ChooseFont()
{
    bool chosen = false;
    const QFont font = QFontDialog::getFont(&chosen, m_font, this, tr("Font"));
    if (!chosen) {
        return;
    }
    SetRowFont(font);
    {
        // The fitted sizes are the columns' own widths, without any stretch to take off.
        const QSignalBlocker blocker(m_header);
        m_header->FitToFont(font);
    }
    for (int section = 0; section < m_header->count(); ++section) {
        m_columns.SetWidth(static_cast<size_t>(section), m_header->sectionSize(section));
    }
    LayOutHeader();
    SizeSections();
}

int TDataWindow::LineHeight() const
{
    return m_lineHeight;
}

// Digits, points and letters of the list's texts: summed from a table rather than measured by
// laying each text out, which would shape it twice per paint.
int TDataWindow::TextAdvance(const QString& text) const
{
    int width = 0;
    for (QChar c : text) {
        const char16_t code = c.unicode();
        width +=
            code < m_asciiAdvances.size() ? m_asciiAdvances[code] : m_metrics.horizontalAdvance(c);
    }
    return width;
}

int TDataWindow::LinesPerPage() const
{
    return std::max(viewport()->height() / LineHeight(), 1);
}

void TDataWindow::Refresh()
{
    m_columns.FollowSources(m_tables);
    SyncHeader();
    UpdateScrollBar();
    m_layout = DataRowLayout();
    viewport()->update();
}

void TDataWindow::ListChanged()
{
    UpdateScrollBar();
    const DataRowLayout now =
        DataRowLayout::Compute(m_tables.DisplayList(), viewport()->height(), LineHeight());
    if (!now.SameRowsAs(m_layout)) {
        viewport()->update();
    }
}

void TDataWindow::ScrollBy(int groups)
{
    UpdateScrollBar();
    const int h = LineHeight();
    if (std::abs(groups) >= LinesPerPage() / 2) {
        viewport()->update();
        return;
    }
    viewport()->scroll(0, -groups * h);
    // The marker stays where it is: repaint its row and the row it left.
    viewport()->update(MarkerRect());
    viewport()->update(MarkerRect().translated(0, -groups * h));
}

QRect TDataWindow::MarkerRect() const
{
    const int h = LineHeight();
    return QRect(0, DataRowLayout::MarkerTop(viewport()->height(), h), viewport()->width(), h);
}

// The titles and tool tips follow the columns' roles.
void TDataWindow::SyncHeader()
{
    QStringList titles;
    QStringList toolTips;
    for (size_t i = 0; i < m_columns.Columns().size(); ++i) {
        titles << QString::fromStdString(m_columns.Title(i, m_tables));
        toolTips << QString::fromStdString(m_columns.ToolTip(i, m_tables));
    }
    {
        const QSignalBlocker blocker(m_header);
        m_header->SetTitles(titles, toolTips);
    }
    SizeSections();
    m_header->viewport()->update();
}

// Sizes are set only where they differ; the section `held` (being dragged) keeps its size.
void TDataWindow::SizeSections(size_t held)
{
    std::vector<int> shown = m_columns.ShownWidths(viewport()->width());
    const QSignalBlocker blocker(m_header);
    for (size_t i = 0; i < shown.size(); ++i) {
        const int section = static_cast<int>(i);
        if (i == held) {
            shown[i] = m_header->sectionSize(section);
        } else if (m_header->sectionSize(section) != shown[i]) {
            m_header->resizeSection(section, shown[i]);
        }
    }
    m_shownWidths = std::move(shown);
}

void TDataWindow::LayOutHeader()
{
    const int height = m_header->sizeHint().height();
    setViewportMargins(0, height, 0, 0);
    const QRect area = viewport()->geometry();
    m_header->setGeometry(area.left(), area.top() - height, area.width(), height);
}

void TDataWindow::UpdateScrollBar()
{
    const ValidRecordsArray& list = m_tables.DisplayList();
    QScrollBar* bar = verticalScrollBar();
    const QSignalBlocker blocker(bar);
    if (list.IsEmpty()) {
        bar->setRange(0, 0);
        return;
    }
    // Slots fit an int for any list this program can hold in memory.
    bar->setRange(static_cast<int>(list.First()), static_cast<int>(list.Last()));
    bar->setPageStep(LinesPerPage());
    bar->setValue(static_cast<int>(list.Cursor()));
}

void TDataWindow::EvScrollAction(int action)
{
    switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
            emit MoveRequested(1);
            break;
        case QAbstractSlider::SliderSingleStepSub:
            emit MoveRequested(-1);
            break;
        case QAbstractSlider::SliderPageStepAdd:
            emit PageRequested(1);
            break;
        case QAbstractSlider::SliderPageStepSub:
            emit PageRequested(-1);
            break;
        case QAbstractSlider::SliderToMinimum:
            emit SlotChosen(m_tables.DisplayList().First());
            break;
        case QAbstractSlider::SliderToMaximum:
            emit SlotChosen(m_tables.DisplayList().Last());
            break;
        case QAbstractSlider::SliderMove:
            emit SlotChosen(static_cast<uint32_t>(verticalScrollBar()->sliderPosition()));
            return;  // the thumb follows the mouse
        default:
            break;
    }
    UpdateScrollBar();
}

bool TDataWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == verticalScrollBar() && event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

void TDataWindow::scrollContentsBy(int, int)
{
    // The rows move only when the workspace has moved the cursor (ScrollBy).
}

void TDataWindow::EvHeaderClicked(int section)
{
    const auto index = static_cast<size_t>(section);
    if (index >= m_columns.Columns().size() ||
        m_columns.Columns()[index].role != DataColumn::Role::Source) {
        return;
    }
    const size_t source = m_columns.Columns()[index].source;
    WavetableFile& file = m_tables.FileAt(source);
    TSourceInfo dialog(window(), QString::fromStdString(file.FileName()), file.Label(),
                       file.Scale());
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    file.SetLabel(dialog.Label());
    file.SetScale(dialog.Scale());
    Refresh();
    emit SourceEdited(source);
}

// A dragged column keeps the stretch it had: what the drag adds or takes goes to its own
// width, which is what is stored.
void TDataWindow::EvSectionResized(int section, int, int newSize)
{
    const auto index = static_cast<size_t>(section);
    if (index >= m_columns.Columns().size()) {
        return;
    }
    const int stretch =
        index < m_shownWidths.size() ? m_shownWidths[index] - m_columns.Columns()[index].width : 0;
    m_columns.SetWidth(index, newSize - stretch);
    SizeSections(index);
    viewport()->update();
}

void TDataWindow::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    LayOutHeader();
    SizeSections();
    UpdateScrollBar();
    m_layout = DataRowLayout();
}

void TDataWindow::wheelEvent(QWheelEvent* event)
{
    // Touchpads send fractions of a notch; whole notches move.
    m_wheelRemainder += event->angleDelta().y();
    const int notches = m_wheelRemainder / QWheelEvent::DefaultDeltasPerStep;
    m_wheelRemainder -= notches * QWheelEvent::DefaultDeltasPerStep;
    if (notches != 0) {
        emit MoveRequested(-notches * kWheelLines);
    }
    event->accept();
}

void TDataWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        return;
    }
    m_pressedLine = LineAt(event->position().toPoint());
    const int y = event->position().toPoint().y();  // in the viewport
    const int h = LineHeight();
    for (const DataRowLayout::Row& row : m_layout.Rows()) {
        if (y >= row.top && y < row.top + h && !row.current) {
            emit SlotChosen(row.firstSlot);
            return;
        }
    }
}

// The press before it chose the row; the second press must not choose again, since another
// row may lie under the pointer now.
void TDataWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_pressedLine) {
        emit LineDetailsRequested(*m_pressedLine, m_velocity);
    }
}

bool TDataWindow::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip) {
        return QAbstractScrollArea::viewportEvent(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    QStringList rows;
    if (const std::optional<DisplayWaveData> line = LineAt(help->pos())) {
        for (const std::string& row : LineDetailRows(*line, m_velocity)) {
            rows << QString::fromStdString(row);
        }
    }
    if (rows.isEmpty()) {
        QToolTip::hideText();
    } else {
        QToolTip::showText(help->globalPos(), rows.join('\n'), viewport());
    }
    return true;
}

std::optional<DisplayWaveData> TDataWindow::LineAt(const QPoint& at) const
{
    const int h = LineHeight();
    for (const DataRowLayout::Row& row : m_layout.Rows()) {
        if (at.y() >= row.top && at.y() < row.top + h) {
            return LineOfRow(row, at.x());
        }
    }
    return std::nullopt;
}

// A row holds the records of several sources: in a source's column that source's record,
// elsewhere the first with atomic data, else the first.
DisplayWaveData TDataWindow::LineOfRow(const DataRowLayout::Row& row, int x) const
{
    const auto section = static_cast<size_t>(m_header->logicalIndexAt(x));
    const DataColumn* column =
        section < m_columns.Columns().size() ? &m_columns.Columns()[section] : nullptr;
    const ValidRecordsArray& list = m_tables.DisplayList();
    uint32_t chosen = row.firstSlot;
    bool withData = false;
    for (uint32_t slot = row.firstSlot; slot <= row.lastSlot; ++slot) {
        const WaveData line = list.ItemAt(slot);
        if (line.table == nullptr) {
            continue;
        }
        if (column != nullptr && column->role == DataColumn::Role::Source &&
            column->source == line.table->TableIndex()) {
            chosen = slot;
            break;
        }
        if (!withData && line.table->AtomicData() != nullptr) {
            chosen = slot;
            withData = true;
        }
    }
    return DisplayWaveData(list.ItemAt(chosen), m_tables.UseRatios(), true, m_text);
}

void TDataWindow::contextMenuEvent(QContextMenuEvent* event)
{
    m_contextMenu->popup(event->globalPos());
}

void TDataWindow::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const int h = LineHeight();
    m_layout = DataRowLayout::Compute(m_tables.DisplayList(), viewport()->height(), h);
    const QRegion& dirty = event->region();  // after a scroll: rows far apart, not one band
    painter.setFont(m_font);
    // Where each source's intensities go, looked up once per paint.
    std::vector<int> sectionOfSource(m_tables.FileCount(), -1);
    for (size_t i = 0; i < m_columns.Columns().size(); ++i) {
        const DataColumn& column = m_columns.Columns()[i];
        if (column.role == DataColumn::Role::Source && column.source < sectionOfSource.size()) {
            sectionOfSource[column.source] = static_cast<int>(i);
        }
    }
    for (const DataRowLayout::Row& row : m_layout.Rows()) {
        if (dirty.intersects(QRect(0, row.top, viewport()->width(), h))) {
            DrawRow(painter, row, sectionOfSource);
        }
    }
}

// The records of a group share one row: the wavelength, element and reference once, each
// record's intensity and description in its own source's column.
void TDataWindow::DrawRow(QPainter& painter, const DataRowLayout::Row& row,
                          const std::vector<int>& sectionOfSource)
{
    const int h = LineHeight();
    if (row.current) {
        painter.fillRect(QRect(0, row.top, viewport()->width(), h), palette().highlight());
        painter.setPen(palette().color(QPalette::HighlightedText));
    } else {
        painter.setPen(palette().color(QPalette::Text));
    }
    const ValidRecordsArray& list = m_tables.DisplayList();
    for (uint32_t slot = row.firstSlot; slot <= row.lastSlot; ++slot) {
        const DisplayWaveData line(list.ItemAt(slot), m_tables.UseRatios(), true, m_text);
        if (slot == row.firstSlot) {
            DrawSharedColumns(painter, line, row.top);
        }
        const size_t source = line.table != nullptr ? line.table->TableIndex() : SIZE_MAX;
        if (source < sectionOfSource.size() && sectionOfSource[source] >= 0) {
            DrawSourceColumn(painter, line, sectionOfSource[source], row.top);
        }
    }
}

void TDataWindow::DrawSharedColumns(QPainter& painter, const DisplayWaveData& line, int top)
{
    for (size_t i = 0; i < m_columns.Columns().size(); ++i) {
        const int section = static_cast<int>(i);
        const QRect cell(m_header->sectionViewportPosition(section), top,
                         m_header->sectionSize(section), LineHeight());
        switch (m_columns.Columns()[i].role) {
            case DataColumn::Role::Wavelength:
                DrawText(painter, cell.adjusted(0, 0, -kWavelengthMargin, 0),
                         FormatWavelength(line, m_tables.Settings()), Qt::AlignRight);
                break;
            case DataColumn::Role::Element:
                DrawText(painter,
                         cell.adjusted(kTextIndent, 0, 0, 0)
                             .intersected(cell.adjusted(0, 0, -cell.width() / 2, 0)),
                         line.elementName, Qt::AlignLeft);
                DrawText(painter, cell.adjusted(cell.width() / 2, 0, 0, 0), line.valenceName,
                         Qt::AlignLeft);
                break;
            case DataColumn::Role::Reference:
                DrawText(painter, cell.adjusted(kTextIndent, 0, 0, 0), line.reference,
                         Qt::AlignLeft);
                break;
            case DataColumn::Role::Source:
                break;
        }
    }
}

void TDataWindow::DrawSourceColumn(QPainter& painter, const DisplayWaveData& line, int section,
                                   int top)
{
    const int x = m_header->sectionViewportPosition(section);
    const int w = m_header->sectionSize(section);
    const std::string intensity = FormatIntensity(line, m_tables.Linear(), false, false);
    // In a column narrower than the widest description the intensity keeps its room and the
    // description is cut instead: the number is what the column is for.
    const int needed = std::min(TextAdvance(QString::fromStdString(intensity)) + 2, w);
    const int split = std::max(w - m_descriptionWidth, needed);
    DrawText(painter, QRect(x, top, split, LineHeight()), intensity, Qt::AlignRight);
    DrawText(painter, QRect(x + split, top, w - split, LineHeight()), line.description,
             Qt::AlignLeft);
}

// Text that fits goes by the fast path; text wider than its cell is clipped to it.
void TDataWindow::DrawText(QPainter& painter, const QRect& cell, const std::string& value,
                           Qt::Alignment alignment)
{
    if (value.empty() || cell.width() <= 0) {
        return;
    }
    const QString text = QString::fromStdString(value);
    const QFontMetrics& metrics = m_metrics;
    const int width = TextAdvance(text);
    if (width > cell.width()) {
        painter.drawText(cell, static_cast<int>(alignment | Qt::AlignVCenter) | Qt::TextSingleLine,
                         text);
        return;
    }
    const int x = alignment & Qt::AlignRight ? cell.right() + 1 - width : cell.left();
    const int baseline = cell.top() + (cell.height() - metrics.height()) / 2 + metrics.ascent();
    painter.drawText(QPoint(x, baseline), text);
}
