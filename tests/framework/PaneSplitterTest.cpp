#include "framework/PaneSplitter.h"
#include "support/QtTestSupport.h"

#include <QObject>
#include <QSplitter>
#include <QTest>

// PaneSplitter as the workspace uses it: the panes' places and sizes after split, swap and
// remove sequences, the proportions kept between runs.
class PaneSplitterTest : public QObject {
    Q_OBJECT

private slots:
    void arrangements_data();
    void arrangements();
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
    return splitter.findChild<QWidget*>(name);
}

bool ShowSplitter(PaneSplitter& splitter)
{
    splitter.resize(800, 600);
    splitter.show();
    return QTest::qWaitForWindowExposed(&splitter);
}

// Runs operations separated by "; ": "only P", "split TARGET NEW right|below [FRACTION]",
// "swap A B", "remove P". Panes are named by object name.
void Apply(PaneSplitter& splitter, const QString& script)
{
    for (const QString& operation : script.split("; ")) {
        const QStringList w = operation.split(' ');
        QWidget* first = FindPane(splitter, w.value(1));
        if (w[0] == "swap") {
            splitter.SwapPanes(first, FindPane(splitter, w[2]));
        } else if (w[0] == "remove") {
            splitter.RemovePane(first);
        } else {
            splitter.SplitPane(first, NewPane(w.value(w[0] == "only" ? 1 : 2)),
                               w.value(3) == "below" ? Qt::Vertical : Qt::Horizontal,
                               w.value(4, "0.5").toDouble());
        }
    }
    QCoreApplication::processEvents();
}

// Checks "NAME X Y WIDTH HEIGHT; ..." against the panes in the order of Panes(): each visible,
// with its edges where the fractions of the splitter's size put them, give or take the bars.
void VerifyLayout(const PaneSplitter& splitter, const QString& layout)
{
    QList<QWidget*> panes;
    for (const QString& entry : layout.split("; ")) {
        const QStringList w = entry.split(' ');
        QWidget* pane = FindPane(splitter, w[0]);
        panes << pane;
        QVERIFY2(pane && pane->isVisible(), qPrintable(entry));
        const QPoint at = pane->mapTo(&splitter, QPoint(0, 0));
        const int got[] = {at.x(), at.y(), at.x() + pane->width(), at.y() + pane->height()};
        const double x = w[1].toDouble(), y = w[2].toDouble();
        const double want[] = {x, y, x + w[3].toDouble(), y + w[4].toDouble()};
        for (int i = 0; i < 4; ++i) {
            const int extent = i % 2 == 0 ? splitter.width() : splitter.height();
            QVERIFY2(qAbs(got[i] - want[i] * extent) <= kTolerance, qPrintable(entry));
        }
    }
    QCOMPARE(splitter.Panes(), panes);
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
    // The workspace's element, data and graph panes, made in an order that needs a swap, a
    // removal, and a nested split folded away and made again.
    add("data, element, graph",
        "only data; split data element right; swap data element; remove data; "
        "split element graph below; split element data right",
        "element 0 0 .5 .5; data .5 0 .5 .5; graph 0 .5 1 .5");

    // Removal gives the space to the neighbours, half to each.
    const QString row = "only a; split a b right; split b c right; ";  // .5, .25, .25
    add("middle of a row removed", row + "remove b", "a 0 0 .625 1; c .625 0 .375 1");
    // Removing b leaves c and d (1/8 and 3/8) beside a: they join a's row in those shares.
    add("row folded from a nested split",
        "only a; split a b right; split b c below; split c d right 0.25; remove b; remove c",
        "a 0 0 .5625 1; d .5625 0 .4375 1");

    // Swapped panes exchange places and sizes, in one splitter or across nested ones; a new pane
    // goes right of or below its target, which keeps the given fraction.
    add("swap inner panes of a row, later first", row + "split c d right; swap c b",
        "a 0 0 .5 1; c .5 0 .25 1; b .75 0 .125 1; d .875 0 .125 1");
    add("swap outer and nested pane", "only a; split a b right 0.3; split b c below 0.6; swap a c",
        "c 0 0 .3 1; b .3 0 .7 .6; a .3 .6 .7 .4");
}

void PaneSplitterTest::arrangements()
{
    QFETCH(QString, script);
    QFETCH(QString, layout);
    QFETCH(bool, showFirst);
    PaneSplitter splitter;
    QVERIFY(!showFirst || ShowSplitter(splitter));
    Apply(splitter, script);
    QVERIFY(ShowSplitter(splitter));
    QCoreApplication::processEvents();
    VerifyLayout(splitter, layout);
}

// Kept proportions return only to splits of the same shape; text from another shape, or
// damaged text, changes nothing.
void PaneSplitterTest::proportionsComeBackOnTheSameShape()
{
    const QString script = "only E; split E G below; split E D right";
    PaneSplitter first;
    Apply(first, script);
    QVERIFY(ShowSplitter(first));
    first.findChild<QSplitter*>()->setSizes({150, 450});
    PaneSplitter second;
    Apply(second, script);
    QVERIFY(second.RestoreProportions(first.Proportions()));
    QVERIFY(ShowSplitter(second));
    QVERIFY(qAbs(FindPane(second, "E")->height() - FindPane(first, "E")->height()) <= 1);
    const QString before = second.Proportions();
    for (const QString& other : {QString("H1,1"), QString("V1,3;V1,1"), QString("V1,3;H1,x")}) {
        QVERIFY2(!second.RestoreProportions(other), qPrintable(other));
    }
    QCOMPARE(second.Proportions(), before);
}

SPEKLA_QTEST(PaneSplitterTest);

#include "PaneSplitterTest.moc"
