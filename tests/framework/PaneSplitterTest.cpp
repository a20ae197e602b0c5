#include "PaneSplitterTest.h"

#include "framework/PaneSplitter.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSplitter>
#include <QTest>

namespace {

constexpr int kTolerance = PaneSplitter::kHandleWidth;

QLabel* NewPane(const QString& name)
{
    auto* pane = new QLabel(name);
    pane->setObjectName(name);
    return pane;
}

QWidget* FindPane(const PaneSplitter& splitter, const QString& name)
{
    const QList<QWidget*> panes = splitter.Panes();
    const auto found = std::find_if(panes.begin(), panes.end(),
                                    [&name](QWidget* pane) { return pane->objectName() == name; });
    return found == panes.end() ? nullptr : *found;
}

QString PaneNames(const PaneSplitter& splitter)
{
    QStringList names;
    splitter.ForEachPane([&names](QWidget* pane) { names << pane->objectName(); });
    return names.join(' ');
}

QRect PaneRect(const PaneSplitter& splitter, const QWidget* pane)
{
    return QRect(pane->mapTo(&splitter, QPoint(0, 0)), pane->size());
}

QString Describe(const QRect& r)
{
    return QString("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

bool ShowSplitter(PaneSplitter& splitter)
{
    splitter.resize(800, 600);
    splitter.show();
    return QTest::qWaitForWindowExposed(&splitter);
}

// Runs a script of operations separated by "; ": "only P", "split TARGET NEW right|below
// [FRACTION]", "swap A B", "remove P". Panes are named by object name; new ones are labels.
bool Apply(PaneSplitter& splitter, const QString& script)
{
    for (const QString& operation : script.split("; ")) {
        const QStringList words = operation.split(' ');
        QWidget* first = FindPane(splitter, words.value(1));
        if (words[0] == "only") {
            splitter.SplitPane(nullptr, NewPane(words[1]), Qt::Horizontal);
        } else if (words[0] == "split" && first) {
            const auto orientation = words[3] == "right" ? Qt::Horizontal : Qt::Vertical;
            splitter.SplitPane(first, NewPane(words[2]), orientation,
                               words.value(4, "0.5").toDouble());
        } else if (words[0] == "swap" && first && FindPane(splitter, words[2])) {
            splitter.SwapPanes(first, FindPane(splitter, words[2]));
        } else if (words[0] == "remove" && first) {
            splitter.RemovePane(first);
        } else {
            QTest::qFail(qPrintable("cannot run: " + operation), __FILE__, __LINE__);
            return false;
        }
    }
    QCoreApplication::processEvents();
    return true;
}

// Runs `script` on a splitter shown before or after it, as the row asks.
bool Arrange(PaneSplitter& splitter, const QString& script, bool showFirst)
{
    const bool done = (!showFirst || ShowSplitter(splitter)) && Apply(splitter, script) &&
                      (showFirst || ShowSplitter(splitter));
    QCoreApplication::processEvents();
    return done;
}

// What the user must see after any sequence: every pane visible, none overlapping another, all
// together covering the widget except for the bars between them.
void VerifyTiling(const PaneSplitter& splitter)
{
    const QList<QWidget*> panes = splitter.Panes();
    const QRect area = splitter.rect();
    QRect bounds;
    qint64 covered = 0;
    for (int i = 0; i < panes.size(); ++i) {
        const QRect r = PaneRect(splitter, panes[i]);
        const QString where = panes[i]->objectName() + " at " + Describe(r);
        QVERIFY2(panes[i]->isVisible() && !r.isEmpty() && area.contains(r), qPrintable(where));
        for (int j = 0; j < i; ++j)
            QVERIFY2(!r.intersects(PaneRect(splitter, panes[j])), qPrintable(where));
        bounds |= r;
        covered += qint64(r.width()) * r.height();
    }
    QCOMPARE(bounds, panes.isEmpty() ? QRect() : area);
    const qint64 bars = qint64(panes.size() - 1) * kTolerance * area.width();
    QVERIFY2(covered >= qint64(area.width()) * area.height() - bars, "the panes leave a gap");
}

// Relations separated by "; ", each "A left-of B" (A ends before B begins and they share some
// height) or "A above B" (likewise, turned).
void VerifyRelations(const PaneSplitter& splitter, const QString& relations)
{
    for (const QString& relation : relations.split("; ", Qt::SkipEmptyParts)) {
        const QStringList words = relation.split(' ');
        const QWidget* first = FindPane(splitter, words[0]);
        const QWidget* second = FindPane(splitter, words[2]);
        QVERIFY2(first && second, qPrintable(relation));
        QRect a = PaneRect(splitter, first);
        QRect b = PaneRect(splitter, second);
        if (words[1] == "above") {
            a = a.transposed().translated(a.y() - a.x(), a.x() - a.y());
            b = b.transposed().translated(b.y() - b.x(), b.x() - b.y());
        }
        const bool holds = a.right() < b.left() && a.top() <= b.bottom() && b.top() <= a.bottom();
        QVERIFY2(holds, qPrintable(relation + ": " + Describe(a) + " and " + Describe(b)));
    }
}

// True when `part` is `fraction` of `whole`, give or take a bar between panes.
bool IsShare(int part, int whole, double fraction)
{
    return qAbs(part - fraction * whole) <= kTolerance;
}

// Drags the bar before part `index` of `splitter` so that it ends at `to` (splitter coordinates).
void DragHandle(QSplitter* splitter, int index, QPoint to)
{
    QWidget* handle = splitter->handle(index);
    const QPoint grip = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    QTest::mouseMove(handle, handle->mapFrom(splitter, to) + grip);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, handle->mapFrom(splitter, to) + grip);
}

}  // namespace

void PaneSplitterTest::splitPlacesNewPaneBelowOrRight_data()
{
    QTest::addColumn<QString>("direction");
    QTest::addColumn<double>("fraction");
    QTest::addColumn<bool>("showFirst");
    QTest::newRow("right, halves, shown") << "right" << 0.5 << true;
    QTest::newRow("right, halves, before showing") << "right" << 0.5 << false;
    QTest::newRow("below, halves, shown") << "below" << 0.5 << true;
    QTest::newRow("below, halves, before showing") << "below" << 0.5 << false;
    QTest::newRow("right, a quarter kept, shown") << "right" << 0.25 << true;
    QTest::newRow("right, 0.3 kept, before showing") << "right" << 0.3 << false;
    QTest::newRow("below, 0.7 kept, shown") << "below" << 0.7 << true;
    QTest::newRow("below, 0.25 kept, before showing") << "below" << 0.25 << false;
}

void PaneSplitterTest::splitPlacesNewPaneBelowOrRight()
{
    QFETCH(QString, direction);
    QFETCH(double, fraction);
    QFETCH(bool, showFirst);
    PaneSplitter splitter;
    QVERIFY(Arrange(splitter, QString("only t; split t n %1 %2").arg(direction).arg(fraction),
                    showFirst));

    VerifyTiling(splitter);
    const bool right = direction == "right";
    VerifyRelations(splitter, right ? "t left-of n" : "t above n");
    const QSize t = FindPane(splitter, "t")->size();
    const QSize n = FindPane(splitter, "n")->size();
    QCOMPARE(right ? t.height() : t.width(), right ? n.height() : n.width());
    const int kept = right ? t.width() : t.height();
    QVERIFY2(IsShare(kept, kept + (right ? n.width() : n.height()), fraction),
             qPrintable(QString::number(kept)));
}

void PaneSplitterTest::splitKeepsSizesTheUserSet()
{
    PaneSplitter splitter;
    QVERIFY(Arrange(splitter, "only a; split a b right", true));
    QWidget* a = FindPane(splitter, "a");
    DragHandle(qobject_cast<QSplitter*>(a->parentWidget()), 1, QPoint(200, 300));
    QVERIFY2(qAbs(a->width() - 200) <= kTolerance, qPrintable(Describe(a->geometry())));

    // While hidden, and again while shown.
    splitter.hide();
    QVERIFY(Arrange(splitter, "split b c right", false));
    QVERIFY(Apply(splitter, "split b d below"));
    QVERIFY2(qAbs(a->width() - 200) <= kTolerance, qPrintable(Describe(a->geometry())));
    QVERIFY(qAbs(FindPane(splitter, "b")->width() - FindPane(splitter, "c")->width()) <=
            kTolerance);
}

void PaneSplitterTest::arrangements_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("relations");
    QTest::addColumn<QString>("order");
    QTest::addColumn<bool>("showFirst");
    const QString three = "element left-of data; element above graph; data above graph";
    const QString egd = "only element; split element graph below; split element data right";
    const auto add = [](const char* name, const QString& script, const QString& relations,
                        const QString& order) {
        QTest::addRow("%s, shown", name) << script << relations << order << true;
        QTest::addRow("%s, before showing", name) << script << relations << order << false;
    };
    add("data then element", "only data; split data element right; swap data element",
        "element left-of data", "element data");
    add("element then data", "only element; split element data right", "element left-of data",
        "element data");
    add("element then graph", "only element; split element graph below", "element above graph",
        "element graph");
    add("graph then element", "only graph; split graph element below; swap graph element",
        "element above graph", "element graph");
    add("data then graph", "only data; split data graph below", "data above graph", "data graph");
    add("graph then data", "only graph; split graph data below; swap graph data",
        "data above graph", "data graph");
    add("data, element, graph",
        "only data; split data element right; swap data element; remove data; "
        "split element graph below; split element data right",
        three, "element data graph");
    add("element, data, graph",
        "only element; split element data right; remove data; split element graph below; "
        "split element data right",
        three, "element data graph");
    add("element, graph, data", egd, three, "element data graph");
    add("graph, element, data",
        "only graph; split graph element below; swap graph element; split element data right",
        three, "element data graph");
    add("data, graph, element",
        "only data; split data graph below; split data element right; swap data element", three,
        "element data graph");
    add("graph, data, element",
        "only graph; split graph data below; swap graph data; split data element right; "
        "swap data element",
        three, "element data graph");
    add("three, graph removed", egd + "; remove graph", "element left-of data", "element data");
    add("three, element removed", egd + "; remove element", "data above graph", "data graph");
    add("three, element and data removed", egd + "; remove element; remove data", "", "graph");
    add("three, data removed and added again", egd + "; remove data; split element data right",
        three, "element data graph");
}

void PaneSplitterTest::arrangements()
{
    QFETCH(QString, script);
    QFETCH(QString, relations);
    QFETCH(QString, order);
    QFETCH(bool, showFirst);
    PaneSplitter splitter;
    QVERIFY(Arrange(splitter, script, showFirst));
    QCOMPARE(PaneNames(splitter), order);
    QCOMPARE(splitter.PaneCount(), order.count(' ') + 1);
    VerifyTiling(splitter);
    VerifyRelations(splitter, relations);
}

void PaneSplitterTest::removeGivesSpaceToNeighbours_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<double>("firstShare");
    QTest::addColumn<bool>("showFirst");
    // A half, a quarter and a quarter.
    const QString row = "only a; split a b right; split b c right; ";
    // Removing b puts c and d beside a, in a's direction: they must join a's row.
    const QString folded = "only a; split a b right; split b c below; split c d right; remove b; ";
    for (const bool showFirst : {true, false}) {
        const char* when = showFirst ? "shown" : "before showing";
        QTest::addRow("first of a row, %s", when) << row + "remove a" << 0.75 << showFirst;
        QTest::addRow("middle of a row, %s", when) << row + "remove b" << 0.625 << showFirst;
        QTest::addRow("last of a row, %s", when) << row + "remove c" << 0.5 << showFirst;
        QTest::addRow("row folded from a nested split, %s", when)
            << folded + "remove c" << 0.625 << showFirst;
    }
}

void PaneSplitterTest::removeGivesSpaceToNeighbours()
{
    QFETCH(QString, script);
    QFETCH(double, firstShare);
    QFETCH(bool, showFirst);
    PaneSplitter splitter;
    QVERIFY(Arrange(splitter, script, showFirst));
    VerifyTiling(splitter);
    const QList<QWidget*> panes = splitter.Panes();
    QCOMPARE(panes.size(), 2);
    const int first = panes[0]->width();
    QVERIFY2(IsShare(first, first + panes[1]->width(), firstShare),
             qPrintable(QString::number(first)));
}

void PaneSplitterTest::removeDeletesAtOnce()
{
    PaneSplitter splitter;
    QVERIFY(Arrange(splitter, "only a; split a b right; split b c below", true));
    const QPointer<QWidget> b = FindPane(splitter, "b");
    splitter.RemovePane(b);
    QVERIFY(b.isNull());
    QCOMPARE(PaneNames(splitter), QString("a c"));
    QCOMPARE(splitter.PaneCount(), 2);
    QCoreApplication::processEvents();
    VerifyTiling(splitter);
}

void PaneSplitterTest::emptyAndRefilled()
{
    PaneSplitter splitter;
    QVERIFY(Arrange(splitter, "only a; remove a", true));
    QCOMPARE(splitter.PaneCount(), 0);
    // With no panes any target, null or not, gives the only pane.
    QLabel stranger;
    QWidget* b = NewPane("b");
    splitter.SplitPane(&stranger, b, Qt::Horizontal);
    QCoreApplication::processEvents();
    QCOMPARE(PaneRect(splitter, b), splitter.rect());

    // A null target replaces every pane.
    QVERIFY(Apply(splitter, "split b c below; split c d right"));
    const QPointer<QWidget> d = FindPane(splitter, "d");
    QWidget* e = NewPane("e");
    splitter.SplitPane(nullptr, e, Qt::Horizontal);
    QVERIFY(d.isNull());
    QCoreApplication::processEvents();
    QCOMPARE(splitter.Panes(), QList<QWidget*>{e});
    QCOMPARE(PaneRect(splitter, e), splitter.rect());
}

void PaneSplitterTest::swapExchangesPlacesAndSizes_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    const QString row = "only a; split a b right 0.25";
    const QString nested = "only a; split a b right 0.3; split b c below 0.6";
    QTest::newRow("same splitter") << row << "a"
                                   << "b";
    QTest::newRow("same splitter, later pane first") << row << "b"
                                                     << "a";
    QTest::newRow("inner panes of a row, later first")
        << "only a; split a b right; split b c right; split c d right"
        << "c"
        << "b";
    QTest::newRow("outer pane and nested pane") << nested << "a"
                                                << "c";
    QTest::newRow("nested pane and outer pane") << nested << "b"
                                                << "a";
    QTest::newRow("panes of two nested splitters")
        << "only a; split a c right 0.6; split a b below 0.3; split c d below"
        << "b"
        << "c";
}

void PaneSplitterTest::swapExchangesPlacesAndSizes()
{
    QFETCH(QString, script);
    QFETCH(QString, first);
    QFETCH(QString, second);
    PaneSplitter splitter;
    QVERIFY(Arrange(splitter, script, true));
    QHash<QString, QRect> expected;
    for (QWidget* pane : splitter.Panes())
        expected[pane->objectName()] = PaneRect(splitter, pane);
    std::swap(expected[first], expected[second]);
    QStringList order = PaneNames(splitter).split(' ');
    order.swapItemsAt(order.indexOf(first), order.indexOf(second));

    QVERIFY(Apply(splitter, "swap " + first + " " + second));
    QCOMPARE(PaneNames(splitter), order.join(' '));
    for (QWidget* pane : splitter.Panes()) {
        const QRect now = PaneRect(splitter, pane);
        const QRect want = expected[pane->objectName()];
        const QRect off(now.topLeft() - want.topLeft(), now.bottomRight() - want.bottomRight());
        QVERIFY2(
            qAbs(off.left()) + qAbs(off.top()) + qAbs(off.right()) + qAbs(off.bottom()) <= 2,
            qPrintable(pane->objectName() + " at " + Describe(now) + ", not " + Describe(want)));
    }
}

void PaneSplitterTest::forEachPaneToleratesRemoval()
{
    PaneSplitter splitter;
    QVERIFY(Apply(splitter, "only a; split a b right; split b c below"));
    QStringList visited;
    splitter.ForEachPane([&](QWidget* pane) {
        visited << pane->objectName();
        if (pane->objectName() == "a")
            splitter.RemovePane(FindPane(splitter, "c"));
    });
    QCOMPARE(visited, QStringList({"a", "b"}));

    visited.clear();
    splitter.ForEachPane([&](QWidget* pane) {
        visited << pane->objectName();
        splitter.RemovePane(pane);
    });
    QCOMPARE(visited, QStringList({"a", "b"}));
    QCOMPARE(splitter.PaneCount(), 0);
}

void PaneSplitterTest::strangersAreNotPanes()
{
    PaneSplitter splitter;
    QVERIFY(Arrange(splitter, "only a; split a b right 0.3; split b c below", true));
    QWidget* a = FindPane(splitter, "a");
    QWidget* b = FindPane(splitter, "b");
    const QRect aBefore = PaneRect(splitter, a);
    QLabel stranger;
    QLabel unplaced;
    QVERIFY(splitter.Contains(b) && !splitter.Contains(&stranger) && !splitter.Contains(nullptr));
    QVERIFY2(!splitter.Contains(b->parentWidget()), "a splitter inside counts as a pane");

    splitter.RemovePane(&stranger);
    splitter.SwapPanes(a, &stranger);
    splitter.SwapPanes(a, a);
    splitter.SplitPane(&stranger, &unplaced, Qt::Vertical);
    splitter.SplitPane(a, b, Qt::Vertical);
    QCoreApplication::processEvents();
    QVERIFY(unplaced.parent() == nullptr);
    QCOMPARE(PaneNames(splitter), QString("a b c"));
    QCOMPARE(PaneRect(splitter, a), aBefore);

    // A pane that is a splitter itself, even a PaneSplitter, is one pane.
    auto* plain = new QSplitter;
    plain->setObjectName("plain");
    plain->addWidget(new QLabel);
    auto* nested = new PaneSplitter;
    nested->setObjectName("nested");
    QVERIFY(Apply(*nested, "only deep"));
    splitter.SplitPane(b, plain, Qt::Horizontal);
    splitter.SplitPane(a, nested, Qt::Vertical);
    QCOMPARE(PaneNames(splitter), QString("a nested b plain c"));
    QVERIFY(!splitter.Contains(plain->widget(0)) && !splitter.Contains(FindPane(*nested, "deep")));
}

void PaneSplitterTest::panesCannotBeDraggedToNothing()
{
    // Plain widgets state no minimum size, which QSplitter would let the user drag down to zero.
    PaneSplitter splitter;
    QVERIFY(ShowSplitter(splitter));
    auto* a = new QWidget;
    auto* b = new QWidget;
    auto* c = new QWidget;
    splitter.SplitPane(nullptr, a, Qt::Horizontal);
    splitter.SplitPane(a, b, Qt::Horizontal);
    splitter.SplitPane(b, c, Qt::Vertical);
    auto* outer = qobject_cast<QSplitter*>(a->parentWidget());
    auto* inner = qobject_cast<QSplitter*>(c->parentWidget());
    QVERIFY(outer && inner && outer != inner);

    DragHandle(outer, 1, QPoint(0, 300));
    DragHandle(inner, 1, QPoint(100, inner->height()));
    QCoreApplication::processEvents();
    // A collapsed part keeps its size but is moved out of sight, so look at where it is.
    VerifyTiling(splitter);
}

void PaneSplitterTest::focusSurvivesRearranging()
{
    PaneSplitter splitter;
    QVERIFY(ShowSplitter(splitter));
    splitter.activateWindow();
    if (!QTest::qWaitForWindowActive(&splitter))
        QSKIP("this platform does not activate windows, so nothing can have focus");
    auto* data = new QLineEdit;
    data->setObjectName("data");
    splitter.SplitPane(nullptr, data, Qt::Horizontal);
    data->setFocus();
    QVERIFY(data->hasFocus());
    for (const char* step : {"split data element right", "split data graph below",
                             "swap data element", "remove graph"}) {
        QVERIFY(Apply(splitter, step));
        QVERIFY2(data->hasFocus(), step);
    }
}
