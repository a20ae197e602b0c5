#include "database/ElementFacts.h"
#include "database/TextTables.h"
#include "elements/TPeriodicWindow.h"
#include "framework/SettingsStore.h"
#include "support/QtTestSupport.h"
#include "support/TestFiles.h"

#include <QObject>
#include <QSignalSpy>
#include <QTest>

class PeriodicWindowTest : public QObject {
    Q_OBJECT

private slots:
    void ClicksSelect();
};

namespace {

// H, He, Li, Fe at their periodic places in a 500 × 300 pane.
struct Pane {
    Pane() : store(SettingsStore::Root::CurrentUser, folder.File("settings.reg"))
    {
        folder.WriteText("ELEMENTS", "1 0 0 H\n2 0 17 He\n3 1 0 Li\n26 3 7 Fe\n");
        text.Load(folder.Path());
        window = std::make_unique<TPeriodicWindow>(text, store);
        window->resize(500, 300);
        window->show();
        [&] { QVERIFY(QTest::qWaitForWindowExposed(window.get())); }();
    }

    // The middle of the cell of element `index`.
    QPoint Centre(std::size_t index) const
    {
        const auto cell = window->Cells().CellOf(index);
        return QPoint(cell->column * window->Cells().CellWidth() + window->Cells().CellWidth() / 2,
                      cell->row * window->Cells().CellHeight() + window->Cells().CellHeight() / 2);
    }

    std::string Selected() const
    {
        std::string names;
        for (const Element& element : text.ElementTable) {
            if (element.selected != 0) {
                names += (names.empty() ? "" : " ") + element.name;
            }
        }
        return names;
    }

    TempFolder folder;
    TextTables text;
    SettingsStore store;
    std::unique_ptr<TPeriodicWindow> window;
};

}  // namespace

// A click toggles one element; a press released on another element changes nothing; Control or Alt
// selects that element alone; a double click toggles once. Selected cells stand out; tool tips
// name the elements.
void PeriodicWindowTest::ClicksSelect()
{
    Pane pane;
    QWidget* window = pane.window.get();
    QSignalSpy changed(pane.window.get(), &TPeriodicWindow::ElementsChanged);
    QTest::mouseClick(window, Qt::LeftButton, {}, pane.Centre(3));
    QCOMPARE(pane.Selected(), std::string("H He Li"));
    QTest::mouseClick(window, Qt::LeftButton, {}, pane.Centre(3));
    QCOMPARE(pane.Selected(), std::string("H He Li Fe"));
    QTest::mousePress(window, Qt::LeftButton, {}, pane.Centre(0));
    QTest::mouseRelease(window, Qt::LeftButton, {}, pane.Centre(3));
    QCOMPARE(changed.count(), 2);
    QCOMPARE(pane.Selected(), std::string("H He Li Fe"));

    // As a desktop delivers it: press, release, then the second press as a double click.
    QTest::mouseClick(window, Qt::LeftButton, {}, pane.Centre(0));
    QTest::mouseDClick(window, Qt::LeftButton, {}, pane.Centre(0));
    QTest::mouseRelease(window, Qt::LeftButton, {}, pane.Centre(0));
    QCOMPARE(pane.Selected(), std::string("He Li Fe"));

    QTest::mouseClick(window, Qt::LeftButton, Qt::ControlModifier, pane.Centre(1));
    QCOMPARE(pane.Selected(), std::string("He"));
    QTest::mouseClick(window, Qt::LeftButton, Qt::AltModifier, pane.Centre(2));
    QCOMPARE(pane.Selected(), std::string("Li"));

    // The selected cell is filled with the highlight colour, the others are not.
    pane.window->SetLayout(pane.window->Layout());  // drawn anew
    const QImage image = pane.window->grab().toImage();
    const QRgb highlight = pane.window->palette().color(QPalette::Highlight).rgb();
    const QPoint left(pane.window->Cells().CellWidth() / 2 - 3, 0);  // beside the symbol
    QCOMPARE(image.pixel(pane.Centre(2) - left), highlight);
    QVERIFY(image.pixel(pane.Centre(1) - left) != highlight);

    // A cell's tool tip names the element where the facts know it, else gives its symbol.
    pane.folder.WriteText("elements.xml", R"(<list><atom><scalar dictRef="bo:atomicNumber">26
</scalar><label dictRef="bo:symbol" value="Fe"/><label dictRef="bo:name" value="Iron"/></atom></list>)");
    std::string error;
    const Element& iron = pane.text.ElementTable[3];
    QCOMPARE(TPeriodicWindow::CellToolTip(
                 iron, ElementFacts::Load(pane.folder.File("elements.xml"), &error)),
             QString("Iron (Fe)\nAtomic number 26\nIntensity ratio 1"));
    QCOMPARE(TPeriodicWindow::CellToolTip(iron, ElementFacts()).section('\n', 0, 0), "Fe");
}

SPEKLA_QTEST(PeriodicWindowTest);

#include "PeriodicWindowTest.moc"
