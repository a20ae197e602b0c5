#pragma once

#include <functional>
#include <optional>

#include <QColor>
#include <QPushButton>

// A button that shows a colour as a framed swatch, raised or pressed, and lets the user choose
// another with the colour chooser.
class TColourButton : public QPushButton {
    Q_OBJECT

public:
    // Starts at `initial` under `parent`; gives the chosen colour, nothing when cancelled.
    using Chooser = std::function<std::optional<QColor>(QWidget* parent, const QColor& initial)>;

    explicit TColourButton(const QColor& colour = Qt::black, QWidget* parent = nullptr);

    QColor Colour() const { return m_colour; }
    // Repaints; does not emit ColourChanged.
    void SetColour(const QColor& colour);
    // Opens the chooser at the current colour. On OK takes the colour, repaints, emits
    // ColourChanged and returns true; on Cancel changes nothing.
    bool ChooseColour();
    // Whether a click opens the chooser (the default). Without, the owner decides on clicked().
    void SetChoosesOnClick(bool chooses) { m_choosesOnClick = chooses; }

    // The chooser every button opens; an empty function restores QColorDialog. Tests answer
    // with it instead of a modal dialog.
    static void SetChooser(Chooser chooser);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void ColourChanged(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void OnClicked();
    // Each returns the rectangle left inside its frame for the swatch.
    QRect DrawRaisedFrame(QPainter& painter, QRect rect) const;
    QRect DrawPressedFrame(QPainter& painter, QRect rect) const;
    void DrawFocus(QPainter& painter, const QRect& rect) const;
    QColor SwatchColour() const;

    QColor m_colour;
    bool m_choosesOnClick = true;
};
