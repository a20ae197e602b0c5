#include "elements/TPeriodicWindow.h"

#include "database/ElementFacts.h"
#include "database/TextTables.h"
#include "elements/TElementDialog.h"
#include "framework/NumberFormat.h"
#include "framework/SettingDescriptors.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <qdrawutil.h>

namespace {

// Stored as 0 atomic number, 1 periodic, 2 alphabetical, as other versions keep it.
constexpr DwordSetting kStyle{"Software\\Spekla\\Element Window", "Style", 1, 0, 2};
const char* const kFamily = "Arial";

ElementLayout FromStyle(uint32_t style)
{
    return style == 0   ? ElementLayout::AtomicNumber
           : style == 2 ? ElementLayout::Alphabetical
                        : ElementLayout::Periodic;
}

uint32_t ToStyle(ElementLayout layout)
{
    return layout == ElementLayout::AtomicNumber   ? 0
           : layout == ElementLayout::Alphabetical ? 2
                                                   : 1;
}

QFont CellFont(int pixels, bool italic, bool bold = false)
{
    QFont font(kFamily);
    font.setPixelSize(std::max(pixels, 1));
    font.setItalic(italic);
    font.setBold(bold);
    return font;
}

}  // namespace

TPeriodicWindow::TPeriodicWindow(TextTables& text, SettingsStore& store, QWidget* parent)
    : QWidget(parent), m_text(text), m_store(store), m_style(FromStyle(kStyle.Read(store)))
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(40, 30);
}

TPeriodicWindow::~TPeriodicWindow()
{
    CleanupWindow();
}

void TPeriodicWindow::CleanupWindow()
{
    if (!m_cleanedUp) {
        m_cleanedUp = true;
        kStyle.Write(m_store, ToStyle(m_style));
    }
}

void TPeriodicWindow::SetLayout(ElementLayout layout)
{
    m_style = layout;
    Relayout();
}

void TPeriodicWindow::resizeEvent(QResizeEvent*)
{
    Relayout();
}

void TPeriodicWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
        m_imageValid = false;  // the desktop's theme changed
        update();
    }
    QWidget::changeEvent(event);
}

// The largest font whose cells fit, measured as the cells will be drawn.
void TPeriodicWindow::Relayout()
{
    m_layout = PeriodicLayout::Fit(m_text.ElementTable, m_style, width(), height(), [](int pixels) {
        const QFontMetrics metrics(CellFont(pixels, false));
        return PeriodicLayout::CellSize{static_cast<int>(metrics.maxWidth() * 2.1),
                                        metrics.lineSpacing()};
    });
    m_imageValid = false;
    update();
}

void TPeriodicWindow::paintEvent(QPaintEvent*)
{
    if (!m_imageValid || m_imageRevision != m_text.Revision() ||
        m_image.size() != size() * devicePixelRatioF()) {
        RenderCells();
    }
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
    if (m_pressed) {
        if (const auto cell = m_layout.CellOf(*m_pressed)) {
            const bool selected = m_text.ElementTable[*m_pressed].selected != 0;
            DrawCell(painter, *cell, m_showPressed ? !selected : selected);
        }
    }
}

void TPeriodicWindow::RenderCells()
{
    const qreal ratio = devicePixelRatioF();
    m_image = QImage(size() * ratio, QImage::Format_RGB32);
    m_image.setDevicePixelRatio(ratio);
    m_image.fill(palette().color(QPalette::Window));
    QPainter painter(&m_image);
    for (const PeriodicLayout::Cell& cell : m_layout.Cells()) {
        DrawCell(painter, cell, m_text.ElementTable[cell.element].selected != 0);
    }
    m_imageRevision = m_text.Revision();
    m_imageValid = true;
}

// A sunken panel alone hardly differs from a raised one: a selected cell is also filled with
// the highlight colour and its symbol is bold.
void TPeriodicWindow::DrawCell(QPainter& painter, const PeriodicLayout::Cell& cell, bool selected)
{
    const Element& element = m_text.ElementTable[cell.element];
    const QRect area = CellArea(cell);
    const QBrush face = palette().brush(selected ? QPalette::Highlight : QPalette::Button);
    qDrawShadePanel(&painter, area, palette(), selected, 1, &face);
    painter.setFont(CellFont(m_layout.FontHeight(), element.ratio != 1.0, selected));
    painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::ButtonText));
    painter.drawText(area.translated(selected ? 1 : 0, selected ? 1 : 0), Qt::AlignCenter,
                     QString::fromStdString(element.name));
}

QRect TPeriodicWindow::CellArea(const PeriodicLayout::Cell& cell) const
{
    return {cell.column * m_layout.CellWidth(), cell.row * m_layout.CellHeight(),
            m_layout.CellWidth(), m_layout.CellHeight()};
}

QString TPeriodicWindow::CellToolTip(const Element& element, const ElementFacts& facts)
{
    const QString symbol = QString::fromStdString(element.name);
    const ElementFact* fact = facts.BySymbol(element.name);
    const QString name =
        fact != nullptr ? QString::fromStdString(fact->name) + " (" + symbol + ")" : symbol;
    return tr("%1\nAtomic number %2\nIntensity ratio %3")
        .arg(name)
        .arg(element.atomicNumber)
        .arg(QString::fromStdString(FormatDefault(element.ratio)));
}

bool TPeriodicWindow::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip) {
        return QWidget::event(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    const auto hit = m_layout.HitTest(help->pos().x(), help->pos().y());
    const auto cell = hit ? m_layout.CellOf(*hit) : std::nullopt;
    if (cell) {
        // Shown while the pointer stays in the cell; the next cell asks again.
        QToolTip::showText(help->globalPos(),
                           CellToolTip(m_text.ElementTable[*hit], ElementFacts::Installed()), this,
                           CellArea(*cell));
    } else {
        QToolTip::hideText();
        event->ignore();
    }
    return true;
}

bool TPeriodicWindow::InPressedCell(const QPoint& at) const
{
    return m_pressed && m_layout.HitTest(at.x(), at.y()) == m_pressed;
}

void TPeriodicWindow::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const std::optional<std::size_t> hit = m_layout.HitTest(at.x(), at.y());
    if (!hit) {
        return;
    }
    if (event->button() == Qt::RightButton) {
        if (!m_pressed) {  // not while a left press is held: its cell would stay pressed
            EditElement(*hit);
        }
    } else if (event->button() == Qt::LeftButton) {
        m_pressed = hit;
        m_showPressed = true;
        update();
    }
}

void TPeriodicWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (m_pressed && InPressedCell(event->position().toPoint()) != m_showPressed) {
        m_showPressed = !m_showPressed;
        update();
    }
}

// A press released outside its cell changes nothing. Ctrl+click does what Alt+click does,
// since desktops often take Alt+drag for moving windows.
void TPeriodicWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_pressed || event->button() != Qt::LeftButton) {
        return;
    }
    const std::size_t pressed = *m_pressed;
    const bool inside = InPressedCell(event->position().toPoint());
    m_pressed.reset();
    update();
    if (!inside) {
        return;
    }
    if (event->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) {
        for (Element& element : m_text.ElementTable) {
            element.selected = 0;
        }
    }
    Element& element = m_text.ElementTable[pressed];
    element.selected = element.selected != 0 ? 0 : 1;
    emit ElementsChanged();
}

// Qt reports the second press of a double click as this event: it is not a second toggle.
void TPeriodicWindow::mouseDoubleClickEvent(QMouseEvent*) {}

// Only what was edited is written back: the dialog shows a cut symbol and a rounded ratio.
void TPeriodicWindow::EditElement(std::size_t index)
{
    Element& element = m_text.ElementTable[index];
    TElementDialog dialog(this, element.name, element.ratio);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const QString oldName = QString::fromStdString(element.name);
    if (const auto ratio = dialog.NewRatio()) {
        element.ratio = *ratio;
    }
    if (const auto symbol = dialog.NewSymbol()) {
        element.name = *symbol;
        m_text.BuildSortIndex();
        Relayout();
        emit ElementRenamed(oldName, QString::fromStdString(*symbol));
    }
    emit ElementsChanged();
}
