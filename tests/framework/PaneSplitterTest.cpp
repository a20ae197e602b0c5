#include "framework/PaneSplitter.h"
#include "support/QtTestSupport.h"

#include <cmath>

#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QSplitter>
#include <QTest>

// Widget tests of PaneSplitter: what a user sees of the panes' places and sizes after the
// workspace's split, swap and remove sequences. Needs a QApplication (offscreen is enough).
class PaneSplitterTest : public QObject {
    Q_OBJECT

private slots:
    void arrangements_data();
    void arrangements();
    void splitKeepsSizesTheUserSet();
    void removeAndReplaceDeleteAtOnce();
    void strangersAreNotPanes();
    void panesCannotBeDraggedToNothing();
    void focusSurvivesRearranging();
    void proportionsComeBackOnTheSameShape();
};

namespace {

// The bars between panes take their room from the panes beside them, a few pixels each.
constexpr int kTolerance = 2 * PaneSplitter::kHandleWidth;

// A plain widget states no minimum size of its own, so PaneSplitter's floor is all it has.
QWidget* NewPane(const QString& name)
{
    auto* pane = new QWidget;
    pane->setObjectName(name);
    return pane;
}

QWidget* FindPane(const PaneSplitter& splitter, const QString& name)
{
    for (QWidget* pane : splitter.Panes()) {
        if (pane->objectName() == name)
            return pane;
    }
    return nullptr;
}

QString PaneNames(const PaneSplitter& splitter)
{
    QStringList names;
    splitter.ForEachPane([&names](QWidget* pane) { names << pane->objectName(); });
    return names.join(' ');
}

bool ShowSplitter(PaneSplitter& splitter)
{
    splitter.resize(800, 600);
    splitter.show();
    return QTest::qWaitForWindowExposed(&splitter);
}

// Runs a script of operations separated by "; ": "only P", "split TARGET NEW right|below
// [FRACTION]", "swap A B", "remove P". Panes are named by object name.
bool Apply(PaneSplitter& splitter, const QString& script)
{
    for (const QString& operation : script.split("; ")) {
        const QStringList words = operation.split(' ');
        QWidget* first = FindPane(splitter, words.value(1));
        QWidget* second = FindPane(splitter, words.value(2));
        if (words[0] == "only") {
            splitter.SplitPane(nullptr, NewPane(words[1]), Qt::Horizontal);
        } else if (words[0] == "split" && first) {
            const auto orientation = words[3] == "right" ? Qt::Horizontal : Qt::Vertical;
            splitter.SplitPane(first, NewPane(words[2]), orientation,
                               words.value(4, "0.5").toDouble());
        } else if (words[0] == "swap" && first && second) {
            splitter.SwapPanes(first, second);
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

// Runs `script` on a splitter shown before or after it.
bool Arrange(PaneSplitter& splitter, const QString& script, bool showFirst)
{
    const bool done = (!showFirst || ShowSplitter(splitter)) && Apply(splitter, script) &&
                      (showFirst || ShowSplitter(splitter));
    QCoreApplication::processEvents();
    return done;
}

// Checks "NAME X Y WIDTH HEIGHT; ..." against the panes in the order of Panes(): each visible,
// with its edges where the fractions of the splitter's size put them, give or take the bars.
void VerifyLayout(const PaneSplitter& splitter, const QString& layout)
{
    QStringList names;
    for (const QString& entry : layout.split("; ")) {
        const QStringList words = entry.split(' ');
        names << words[0];
        const QWidget* pane = FindPane(splitter, words[0]);
        QVERIFY2(pane && pane->isVisible(), qPrintable(entry));
        const QRect r(pane->mapTo(&splitter, QPoint(0, 0)), pane->size());
        const double x = words[1].toDouble() * splitter.width();
        const double y = words[2].toDouble() * splitter.height();
        const double want[] = {x, y, x + words[3].toDouble() * splitter.width(),
                               y + words[4].toDouble() * splitter.height()};
        const int edges[] = {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
        for (int i = 0; i < 4; ++i) {
            QVERIFY2(qAbs(edges[i] - want[i]) <= kTolerance,
                     qPrintable(QString("%1: at %2,%3 %4x%5")
                                    .arg(entry)
                                    .arg(r.x())
                                    .arg(r.y())
                                    .arg(r.width())
                                    .arg(r.height())));
        }
    }
    QCOMPARE(PaneNames(splitter), names.join(' '));
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

void PaneSplitterTest::arrangements_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("layout");
    QTest::addColumn<bool>("showFirst");
    const auto add = [](const char* name, const QString& script, const QString& layout) {
        QTest::addRow("%s, shown", name) << script << layout << true;
        QTest::addRow("%s, before showing", name) << script << layout << false;
    };
    // A new pane goes right of or below its target, which keeps the given fraction.
    add("right, halves", "only t; split t n right", "t 0 0 .5 1; n .5 0 .5 1");
    add("right, 0.3 kept", "only t; split t n right 0.3", "t 0 0 .3 1; n .3 0 .7 1");
    add("below, 0.7 kept", "only t; split t n below 0.7", "t 0 0 1 .7; n 0 .7 1 .3");
    add("below within a row, a quarter kept", "only t; split t x right; split t n below 0.25",
        "t 0 0 .5 .25; n 0 .25 .5 .75; x .5 0 .5 1");

    // The workspace's element, data and graph panes, made in orders that need swaps, removed
    // and made again.
    const QString ed = "element 0 0 .5 1; data .5 0 .5 1";
    const QString dg = "data 0 0 1 .5; graph 0 .5 1 .5";
    const QString three = "element 0 0 .5 .5; data .5 0 .5 .5; graph 0 .5 1 .5";
    const QString egd = "only element; split element graph below; split element data right";
    add("data then element", "only data; split data element right; swap data element", ed);
    add("graph then data", "only graph; split graph data below; swap graph data", dg);
    add("data, element, graph",
        "only data; split data element right; swap data element; remove data; "
        "split element graph below; split element data right",
        three);
    add("element, graph, data", egd, three);
    add("graph, data, element",
        "only graph; split graph data below; swap graph data; split data element right; "
        "swap data element",
        three);
    add("three, graph removed", egd + "; remove graph", ed);
    add("three, element removed", egd + "; remove element", dg);
    add("three, element and data removed", egd + "; remove element; remove data", "graph 0 0 1 1");
    add("three, data removed and added again", egd + "; remove data; split element data right",
        three);

    // Removal gives the space to the neighbours, half to each; a null target replaces all.
    const QString row = "only a; split a b right; split b c right; ";  // .5, .25, .25
    add("first of a row removed", row + "remove a", "b 0 0 .75 1; c .75 0 .25 1");
    add("middle of a row removed", row + "remove b", "a 0 0 .625 1; c .625 0 .375 1");
    add("last of a row removed", row + "remove c", "a 0 0 .5 1; b .5 0 .5 1");
    // Removing b leaves c and d (1/8 and 3/8) beside a: they join a's row in those shares.
    add("row folded from a nested split",
        "only a; split a b right; split b c below; split c d right 0.25; remove b; remove c",
        "a 0 0 .5625 1; d .5625 0 .4375 1");
    add("emptied and refilled", "only a; remove a; only b", "b 0 0 1 1");
    add("replaced by a null target", row + "split c d below; only e", "e 0 0 1 1");

    // Swapped panes exchange places and sizes, in one splitter or across nested ones.
    const QString nested = "only a; split a b right 0.3; split b c below 0.6; swap ";
    add("swap in a row", "only a; split a b right 0.25; swap a b", "b 0 0 .25 1; a .25 0 .75 1");
    add("swap in a row, later pane first", "only a; split a b right 0.25; swap b a",
        "b 0 0 .25 1; a .25 0 .75 1");
    add("swap inner panes of a row, later first", row + "split c d right; swap c b",
        "a 0 0 .5 1; c .5 0 .25 1; b .75 0 .125 1; d .875 0 .125 1");
    add("swap outer and nested pane", nested + "a c", "c 0 0 .3 1; b .3 0 .7 .6; a .3 .6 .7 .4");
    add("swap nested and outer pane", nested + "b a", "b 0 0 .3 1; a .3 0 .7 .6; c .3 .6 .7 .4");
    add("swap across two nested splitters",
        "only a; split a c right 0.6; split a b below 0.3; split c d below; swap b c",
        "a 0 0 .6 .3; c 0 .3 .6 .7; b .6 0 .4 .5; d .6 .5 .4 .5");
}

void PaneSplitterTest::arrangements()
{
    QFETCH(QString, script);
    QFETCH(QString, layout);
    QFETCH(bool, showFirst);
    PaneSplitter splitter;
    QVERIFY(Arrange(splitter, script, showFirst));
    VerifyLayout(splitter, layout);
}

void PaneSplitterTest::splitKeepsSizesTheUserSet()
{
    PaneSplitter splitter;
    QVERIFY(Arrange(splitter, "only a; split a b right", true));
    DragHandle(qobject_cast<QSplitter*>(FindPane(splitter, "a")->parentWidget()), 1, {200, 300});
    // Split while hidden, and again while shown.
    splitter.hide();
    QVERIFY(Arrange(splitter, "split b c right", false));
    QVERIFY(Apply(splitter, "split b d below"));
    VerifyLayout(splitter, "a 0 0 .25 1; b .25 0 .375 .5; d .25 .5 .375 .5; c .625 0 .375 1");
}

void PaneSplitterTest::removeAndReplaceDeleteAtOnce()
{
    PaneSplitter splitter;
    QVERIFY(Apply(splitter, "only a; split a b right; split b c below; split c x right"));
    // A pane removed while ForEachPane runs is not visited.
    QStringList visited;
    splitter.ForEachPane([&](QWidget* pane) {
        visited << pane->objectName();
        if (pane->objectName() == "a")
            splitter.RemovePane(FindPane(splitter, "x"));
    });
    QCOMPARE(visited, QStringList({"a", "b", "c"}));
    const QPointer<QWidget> b = FindPane(splitter, "b");
    const QPointer<QWidget> c = FindPane(splitter, "c");
    splitter.RemovePane(b);
    QVERIFY(b.isNull());
    QCOMPARE(PaneNames(splitter), QString("a c"));
    splitter.SplitPane(nullptr, NewPane("d"), Qt::Horizontal);
    QVERIFY(c.isNull());
    QCOMPARE(PaneNames(splitter), QString("d"));

    // With no panes left, any target gives the only pane.
    splitter.RemovePane(FindPane(splitter, "d"));
    QCOMPARE(splitter.PaneCount(), 0);
    QWidget stranger;
    splitter.SplitPane(&stranger, NewPane("e"), Qt::Horizontal);
    QCOMPARE(PaneNames(splitter), QString("e"));
}

void PaneSplitterTest::strangersAreNotPanes()
{
    PaneSplitter splitter;
    QVERIFY(Arrange(splitter, "only a; split a b right 0.3; split b c below", true));
    QWidget* a = FindPane(splitter, "a");
    QWidget* b = FindPane(splitter, "b");
    QWidget stranger;
    QWidget unplaced;
    QVERIFY(splitter.Contains(b) && !splitter.Contains(&stranger) && !splitter.Contains(nullptr));
    QVERIFY2(!splitter.Contains(b->parentWidget()), "a splitter inside counts as a pane");

    splitter.RemovePane(&stranger);
    splitter.SwapPanes(a, &stranger);
    splitter.SwapPanes(a, a);
    splitter.SplitPane(&stranger, &unplaced, Qt::Vertical);
    splitter.SplitPane(a, b, Qt::Vertical);
    QCoreApplication::processEvents();
    QVERIFY(unplaced.parent() == nullptr);
    VerifyLayout(splitter, "a 0 0 .3 1; b .3 0 .7 .5; c .3 .5 .7 .5");

    // A pane that is a splitter itself, even a PaneSplitter, is one pane.
    auto* plain = new QSplitter;
    plain->setObjectName("plain");
    plain->addWidget(new QWidget);
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
    PaneSplitter splitter;
    QVERIFY(Arrange(splitter, "only a; split a b right; split b c below", true));
    auto* outer = qobject_cast<QSplitter*>(FindPane(splitter, "a")->parentWidget());
    auto* inner = qobject_cast<QSplitter*>(FindPane(splitter, "c")->parentWidget());
    QVERIFY(outer && inner && outer != inner);
    DragHandle(outer, 1, QPoint(0, 300));
    DragHandle(inner, 1, QPoint(100, inner->height()));
    QCoreApplication::processEvents();
    // 24 pixels of 800 wide and 600 high.
    VerifyLayout(splitter, "a 0 0 .03 1; b .04 0 .96 .96; c .04 .96 .96 .04");
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

// Kept proportions return only to splits of the same shape; text from another shape, or
// damaged text, changes nothing.
void PaneSplitterTest::proportionsComeBackOnTheSameShape()
{
    const QString script = "only E; split E G below; split E D right";
    PaneSplitter first;
    QVERIFY(Apply(first, script));
    QVERIFY(ShowSplitter(first));
    auto* outer = first.findChild<QSplitter*>();
    outer->setSizes({150, 450});
    const QString kept = first.Proportions();
    QVERIFY(kept.startsWith('V'));

    PaneSplitter second;
    QVERIFY(Apply(second, script));
    QVERIFY(second.RestoreProportions(kept));
    QVERIFY(ShowSplitter(second));
    QVERIFY(std::abs(FindPane(second, "E")->height() - FindPane(first, "E")->height()) <= 1);
    const QString before = second.Proportions();
    for (const QString& other : {QString("H1,1"), QString("V1,3;V1,1"), QString("V1,3;H1,x"),
                                 QString("V1,-3;H1,1"), QString("V1;H1,1"), QString()}) {
        QVERIFY2(!second.RestoreProportions(other), qPrintable(other));
    }
    QCOMPARE(second.Proportions(), before);
}

SPEKLA_QTEST(PaneSplitterTest);

#include "PaneSplitterTest.moc"
