#include "graph/TColourButton.h"

#include <QColorDialog>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {

TColourButton::Chooser& CurrentChooser()
{
    static TColourButton::Chooser chooser;
    return chooser;
}

// QColorDialog keeps its custom colours for the whole run, so they survive between openings.
std::optional<QColor> AskColourDialog(QWidget* parent, const QColor& initial)
{
    const QColor chosen = QColorDialog::getColor(initial, parent);
    return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
}

// Top and left edges in one colour, bottom and right in the other.
void DrawEdges(QPainter& painter, const QRect& rect, const QColor& topLeft,
               const QColor& bottomRight)
{
    painter.setPen(topLeft);
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
}

constexpr int kRaisedFocusInset = 3;
constexpr int kPressedFocusInset = 2;

}  // namespace

TColourButton::TColourButton(const QColor& colour, QWidget* parent)
    : QPushButton(parent), m_colour(colour)
{
    connect(this, &QPushButton::clicked, this, &TColourButton::OnClicked);
}

void TColourButton::SetColour(const QColor& colour)
{
    m_colour = colour;
    update();
}

bool TColourButton::ChooseColour()
{
    const Chooser& chooser = CurrentChooser();
    const std::optional<QColor> chosen =
        chooser ? chooser(this, m_colour) : AskColourDialog(this, m_colour);
    if (!chosen) {
        return false;
    }
    SetColour(*chosen);
    emit ColourChanged(m_colour);
    return true;
}

void TColourButton::SetChooser(Chooser chooser)
{
    CurrentChooser() = std::move(chooser);
}

QSize TColourButton::sizeHint() const
{
    const int height = fontMetrics().height() + 8;
    return {height * 2, height};
}

void TColourButton::OnClicked()
{
    if (m_choosesOnClick) {
        ChooseColour();
    }
}

void TColourButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const bool pressed = isDown() || isChecked();
    const QRect swatch =
        pressed ? DrawPressedFrame(painter, rect()) : DrawRaisedFrame(painter, rect());
    painter.fillRect(swatch, SwatchColour());
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));  // in the frame's last pen
    if (hasFocus()) {
        const int inset = pressed ? kPressedFocusInset : kRaisedFocusInset;
        DrawFocus(painter, rect().adjusted(inset, inset, -inset, -inset));
    }
}

QRect TColourButton::DrawRaisedFrame(QPainter& painter, QRect rect) const
{
    const QPalette& colours = palette();
    DrawEdges(painter, rect, colours.color(QPalette::Midlight), colours.color(QPalette::Shadow));
    rect.adjust(1, 1, -1, -1);
    DrawEdges(painter, rect, colours.color(QPalette::Light), colours.color(QPalette::Dark));
    painter.setPen(colours.color(QPalette::Light));
    return rect.adjusted(1, 1, -1, -1);
}

QRect TColourButton::DrawPressedFrame(QPainter& painter, QRect rect) const
{
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Dark));
    return rect.adjusted(1, 1, -1, -1);
}

void TColourButton::DrawFocus(QPainter& painter, const QRect& rect) const
{
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect;
    option.backgroundColor = m_colour;
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

// A disabled button's swatch fades halfway into the button face, so it reads as greyed.
QColor TColourButton::SwatchColour() const
{
    if (isEnabled()) {
        return m_colour;
    }
    const QColor face = palette().color(QPalette::Button);
    return QColor((m_colour.red() + face.red()) / 2, (m_colour.green() + face.green()) / 2,
                  (m_colour.blue() + face.blue()) / 2);
}
