#pragma once

#include <QList>
#include <QWidget>

class QSplitter;

// Divides its area among caller-supplied panes separated by movable bars, built over nested
// QSplitters. Adding a pane transfers its ownership here; removing it deletes it. The splitters
// inside are never panes. Panes are told apart by the caller (object name or property). A pane
// cannot be dragged down to nothing: one without a minimum size of its own in a direction (no
// minimum size, and a minimum size hint below kMinimumPaneExtent) is given kMinimumPaneExtent.
class PaneSplitter : public QWidget {
    Q_OBJECT

public:
    // Thickness of the bars between panes, in pixels.
    static constexpr int kHandleWidth = 6;
    // Least width and height of a pane that sets no minimum itself, in pixels.
    static constexpr int kMinimumPaneExtent = 24;

    explicit PaneSplitter(QWidget* parent = nullptr);

    // Divides the space of `target` in two and puts `newPane` in the second part: below the
    // target for Qt::Vertical, to its right for Qt::Horizontal. The target keeps `fraction`
    // (clamped to 0..1) of its former extent in that direction; sizes are kept as proportions, so
    // a split made before the widget is shown comes out right once it is. A null target, or any
    // target while there are no panes, makes `newPane` the only pane: existing panes are deleted.
    // Nothing happens when `newPane` is null or already a pane, or when `target` is not a pane.
    void SplitPane(QWidget* target, QWidget* newPane, Qt::Orientation orientation,
                   double fraction = 0.5);

    // Takes `pane` out of the layout and deletes it before returning (so Panes() never sees it
    // again); the panes beside it take its space. Ignores widgets that are not panes. Must not be
    // called from the pane's own event handlers or directly connected slots of its signals: queue
    // the call there, since the pane no longer exists when this returns.
    void RemovePane(QWidget* pane);

    // Exchanges the places and sizes of two panes anywhere in the arrangement. Nothing happens
    // unless both are panes and differ. Keyboard focus stays where it was.
    void SwapPanes(QWidget* a, QWidget* b);

    // Every pane, depth first, the left or upper part of each split before the other: the
    // top-left pane comes first.
    QList<QWidget*> Panes() const;

    // The proportions of every split as text ("H1,1;V3,1": direction and part sizes of each
    // splitter, outermost first), for keeping the user's arrangement between runs.
    QString Proportions() const;
    // Takes back text from Proportions when the splits have the same shape now (directions and
    // numbers of parts); returns false and changes nothing otherwise.
    bool RestoreProportions(const QString& text);

private:
    bool Contains(const QWidget* widget) const;
    int PaneCount() const;
    void MakeOnlyPane(QWidget* pane);
    void InsertBeside(QSplitter* splitter, int index, QWidget* newPane, double fraction);
    void NestSplit(QSplitter* splitter, int index, QWidget* newPane, Qt::Orientation orientation,
                   double fraction);
    void CollapseAfterRemoval(QSplitter* splitter);
    QList<QSplitter*> Splitters() const;

    QSplitter* m_root;
};
