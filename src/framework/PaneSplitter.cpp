#include "framework/PaneSplitter.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include <QApplication>
#include <QPointer>
#include <QSplitter>
#include <QVBoxLayout>
#include <QVariant>

namespace {

// Marks the splitters made here, so that a pane which happens to be a QSplitter stays a pane.
constexpr const char* kOwnSplitterProperty = "paneSplitterOwned";
// The sizes last given to a splitter or left by the user's last drag. QSplitter::sizes() reports
// the geometry of the last layout, which until the splitter is shown reflects a default size
// rather than the proportions set.
constexpr const char* kWeightsProperty = "paneSplitterWeights";
// Extent given to parts whose size is not known yet. Large, because QSplitter raises every
// entry to its widget's minimum size, which would distort small numbers used as ratios.
constexpr int kUnknownExtent = 10000;

QSplitter* OwnSplitter(const QWidget* widget)
{
    auto* splitter = qobject_cast<QSplitter*>(const_cast<QWidget*>(widget));
    return splitter && splitter->property(kOwnSplitterProperty).toBool() ? splitter : nullptr;
}

QSplitter* NewSplitter(Qt::Orientation orientation)
{
    auto* splitter = new QSplitter(orientation);
    splitter->setProperty(kOwnSplitterProperty, true);
    splitter->setHandleWidth(PaneSplitter::kHandleWidth);
    splitter->setChildrenCollapsible(false);
    // Keeps the remembered proportions in step with the user, for when the splitter is hidden.
    QObject::connect(splitter, &QSplitter::splitterMoved, splitter, [splitter] {
        splitter->setProperty(kWeightsProperty, QVariant::fromValue(splitter->sizes()));
    });
    return splitter;
}

// QSplitter keeps a non-collapsible part at its minimum size, which for a widget that states
// none is zero: such a pane could still be dragged away.
void EnsureMinimumExtent(QWidget* pane)
{
    const QSize hint = pane->minimumSizeHint();
    const QSizePolicy policy = pane->sizePolicy();
    const int hintWidth = policy.horizontalPolicy() == QSizePolicy::Ignored ? 0 : hint.width();
    const int hintHeight = policy.verticalPolicy() == QSizePolicy::Ignored ? 0 : hint.height();
    if (pane->minimumWidth() == 0 && hintWidth < PaneSplitter::kMinimumPaneExtent)
        pane->setMinimumWidth(PaneSplitter::kMinimumPaneExtent);
    if (pane->minimumHeight() == 0 && hintHeight < PaneSplitter::kMinimumPaneExtent)
        pane->setMinimumHeight(PaneSplitter::kMinimumPaneExtent);
}

int Sum(const QList<int>& values)
{
    return std::accumulate(values.begin(), values.end(), 0);
}

// The current extents of a splitter's parts, usable as proportions whether or not it is shown.
QList<int> Weights(const QSplitter* splitter)
{
    const QList<int> sizes = splitter->sizes();
    if (splitter->isVisible() && Sum(sizes) > 0)
        return sizes;
    const auto stored = splitter->property(kWeightsProperty).value<QList<int>>();
    if (stored.size() == splitter->count() && Sum(stored) > 0)
        return stored;
    return QList<int>(splitter->count(), kUnknownExtent);
}

void SetWeights(QSplitter* splitter, const QList<int>& weights)
{
    splitter->setProperty(kWeightsProperty, QVariant::fromValue(weights));
    splitter->setSizes(weights);
}

// Moves the parts of `inner`, one of the parts of `outer`, into `outer` in its place, sharing out
// its extent in their proportions. `outer` must have inner's orientation or no other part.
void DissolveInto(QSplitter* outer, QSplitter* inner)
{
    const int index = outer->indexOf(inner);
    QList<int> weights = Weights(outer);
    const QList<int> innerWeights = Weights(inner);
    const int share = weights.takeAt(index);
    const double total = Sum(innerWeights);
    for (int i = 0; i < innerWeights.size(); ++i) {
        const double part = total > 0 ? innerWeights[i] / total : 1.0 / innerWeights.size();
        weights.insert(index + i, qRound(share * part));
    }
    if (outer->count() == 1)
        outer->setOrientation(inner->orientation());
    for (int i = 0; inner->count() > 0; ++i)
        outer->insertWidget(index + i, inner->widget(0));
    delete inner;
    SetWeights(outer, weights);
}

// Removes entry `index` and gives its extent to the entries beside it, half to each.
void GiveToNeighbours(QList<int>& weights, int index)
{
    const int freed = weights.takeAt(index);
    const bool before = index > 0;
    const bool after = index < weights.size();
    if (before && after) {
        weights[index - 1] += freed / 2;
        weights[index] += freed - freed / 2;
    } else if (before) {
        weights[index - 1] += freed;
    } else if (after) {
        weights[index] += freed;
    }
}

void CollectPanes(const QSplitter* splitter, QList<QWidget*>& panes)
{
    for (int i = 0; i < splitter->count(); ++i) {
        QWidget* child = splitter->widget(i);
        if (const QSplitter* inner = OwnSplitter(child))
            CollectPanes(inner, panes);
        else
            panes.append(child);
    }
}

void CollectSplitters(QSplitter* splitter, QList<QSplitter*>& splitters)
{
    splitters.append(splitter);
    for (int i = 0; i < splitter->count(); ++i) {
        if (QSplitter* inner = OwnSplitter(splitter->widget(i)))
            CollectSplitters(inner, splitters);
    }
}

QChar DirectionLetter(Qt::Orientation orientation)
{
    return orientation == Qt::Horizontal ? 'H' : 'V';
}

// Part sizes for a splitter described as "H1,1"; empty unless direction and count fit and every
// size is a positive number.
QList<int> ParseWeights(const QString& text, const QSplitter* splitter)
{
    if (text.isEmpty() || text[0] != DirectionLetter(splitter->orientation()))
        return {};
    const QStringList parts = text.mid(1).split(',');
    if (parts.size() != splitter->count())
        return {};
    QList<int> weights;
    for (const QString& part : parts) {
        bool ok = false;
        const int weight = part.toInt(&ok);
        if (!ok || weight <= 0 || weight > kUnknownExtent * 100)
            return {};
        weights.append(weight);
    }
    return weights;
}

// Taking a widget out of its parent, even for a moment, drops keyboard focus from inside it.
void RestoreFocus(const QPointer<QWidget>& focus, const QWidget* container)
{
    if (focus && container->isAncestorOf(focus) && !focus->hasFocus())
        focus->setFocus();
}

}  // namespace

PaneSplitter::PaneSplitter(QWidget* parent) : QWidget(parent), m_root(NewSplitter(Qt::Horizontal))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_root);
}

void PaneSplitter::SplitPane(QWidget* target, QWidget* newPane, Qt::Orientation orientation,
                             double fraction)
{
    if (!newPane || Contains(newPane) || OwnSplitter(newPane))
        return;
    const bool first = !target || PaneCount() == 0;
    if (!first && !Contains(target))
        return;
    EnsureMinimumExtent(newPane);
    if (first) {
        MakeOnlyPane(newPane);
        return;
    }
    fraction = std::isnan(fraction) ? 0.5 : std::clamp(fraction, 0.0, 1.0);
    const QPointer<QWidget> focus = QApplication::focusWidget();
    QSplitter* splitter = OwnSplitter(target->parentWidget());
    const int index = splitter->indexOf(target);
    // Only the top splitter can hold a single pane; its direction is still open.
    if (splitter->count() == 1)
        splitter->setOrientation(orientation);
    if (splitter->orientation() == orientation)
        InsertBeside(splitter, index, newPane, fraction);
    else
        NestSplit(splitter, index, newPane, orientation, fraction);
    RestoreFocus(focus, this);
}

void PaneSplitter::MakeOnlyPane(QWidget* pane)
{
    QList<QWidget*> old;
    while (m_root->count() > 0) {
        old.append(m_root->widget(0));
        old.last()->setParent(nullptr);
    }
    m_root->addWidget(pane);
    SetWeights(m_root, {kUnknownExtent});
    // Deleted only now, so that their destructors see a consistent arrangement.
    qDeleteAll(old);
}

void PaneSplitter::InsertBeside(QSplitter* splitter, int index, QWidget* newPane, double fraction)
{
    QList<int> weights = Weights(splitter);
    const int whole = weights[index];
    const int kept = qRound(whole * fraction);
    weights[index] = kept;
    weights.insert(index + 1, whole - kept);
    splitter->insertWidget(index + 1, newPane);
    SetWeights(splitter, weights);
}

void PaneSplitter::NestSplit(QSplitter* splitter, int index, QWidget* newPane,
                             Qt::Orientation orientation, double fraction)
{
    const QList<int> weights = Weights(splitter);
    QWidget* target = splitter->widget(index);
    QSplitter* inner = NewSplitter(orientation);
    splitter->insertWidget(index, inner);
    inner->addWidget(target);
    inner->addWidget(newPane);
    // The inner splitter takes over the target's slot, so the slot keeps the target's extent.
    SetWeights(splitter, weights);
    const int kept = qRound(kUnknownExtent * fraction);
    SetWeights(inner, {kept, kUnknownExtent - kept});
}

void PaneSplitter::RemovePane(QWidget* pane)
{
    if (!Contains(pane))
        return;
    const QPointer<QWidget> focus = QApplication::focusWidget();
    QSplitter* splitter = OwnSplitter(pane->parentWidget());
    QList<int> weights = Weights(splitter);
    GiveToNeighbours(weights, splitter->indexOf(pane));
    pane->setParent(nullptr);
    if (splitter->count() > 0)
        SetWeights(splitter, weights);
    CollapseAfterRemoval(splitter);
    // Deleted only once the arrangement is whole again, in case its destructor looks at it.
    delete pane;
    RestoreFocus(focus, this);
}

// Restores the shape the other operations rely on: every inner splitter has two parts or more,
// none has its parent's orientation, and a lone part of the top splitter is a pane.
void PaneSplitter::CollapseAfterRemoval(QSplitter* splitter)
{
    if (splitter->count() != 1)
        return;
    QWidget* survivor = splitter->widget(0);
    if (splitter == m_root) {
        if (QSplitter* inner = OwnSplitter(survivor))
            DissolveInto(m_root, inner);
        return;
    }
    QSplitter* outer = OwnSplitter(splitter->parentWidget());
    DissolveInto(outer, splitter);
    QSplitter* inner = OwnSplitter(survivor);
    if (inner && inner->orientation() == outer->orientation())
        DissolveInto(outer, inner);
}

void PaneSplitter::SwapPanes(QWidget* a, QWidget* b)
{
    if (a == b || !Contains(a) || !Contains(b))
        return;
    const QPointer<QWidget> focus = QApplication::focusWidget();
    QSplitter* splitterA = OwnSplitter(a->parentWidget());
    QSplitter* splitterB = OwnSplitter(b->parentWidget());
    const QList<int> weightsA = Weights(splitterA);
    const QList<int> weightsB = Weights(splitterB);
    const int indexA = splitterA->indexOf(a);
    const int indexB = splitterB->indexOf(b);
    a->setParent(nullptr);
    b->setParent(nullptr);
    // Within one splitter the lower index goes back first, so the higher one is right again.
    if (splitterA == splitterB && indexB < indexA) {
        splitterB->insertWidget(indexB, a);
        splitterA->insertWidget(indexA, b);
    } else {
        splitterA->insertWidget(indexA, b);
        splitterB->insertWidget(indexB, a);
    }
    // Weights belong to places, so each pane takes the other's size along with its place.
    SetWeights(splitterA, weightsA);
    if (splitterB != splitterA)
        SetWeights(splitterB, weightsB);
    RestoreFocus(focus, this);
}

QList<QWidget*> PaneSplitter::Panes() const
{
    QList<QWidget*> panes;
    CollectPanes(m_root, panes);
    return panes;
}

bool PaneSplitter::Contains(const QWidget* widget) const
{
    if (!widget || OwnSplitter(widget))
        return false;
    // Walk up through this object's splitters only: a pane of a PaneSplitter nested inside one
    // of our panes is not ours.
    for (const QWidget* parent = widget->parentWidget(); OwnSplitter(parent);
         parent = parent->parentWidget()) {
        if (parent == m_root)
            return true;
    }
    return false;
}

int PaneSplitter::PaneCount() const
{
    return Panes().size();
}

QList<QSplitter*> PaneSplitter::Splitters() const
{
    QList<QSplitter*> splitters;
    CollectSplitters(m_root, splitters);
    return splitters;
}

QString PaneSplitter::Proportions() const
{
    QStringList splits;
    for (const QSplitter* splitter : Splitters()) {
        QStringList weights;
        for (int weight : Weights(splitter))
            weights.append(QString::number(weight));
        splits.append(DirectionLetter(splitter->orientation()) + weights.join(','));
    }
    return splits.join(';');
}

bool PaneSplitter::RestoreProportions(const QString& text)
{
    const QList<QSplitter*> splitters = Splitters();
    const QStringList splits = text.split(';');
    if (splits.size() != splitters.size())
        return false;
    QList<QList<int>> weights;
    for (int i = 0; i < splitters.size(); ++i) {
        weights.append(ParseWeights(splits[i], splitters[i]));
        if (weights.last().isEmpty())
            return false;
    }
    for (int i = 0; i < splitters.size(); ++i)
        SetWeights(splitters[i], weights[i]);
    return true;
}
