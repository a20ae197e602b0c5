#include "ChooserStub.h"
#include "graph/TColourButton.h"
#include "support/QtTestSupport.h"

#include <QObject>
#include <QSignalSpy>
#include <QTest>

// TColourButton: choosing a colour or cancelling, clicks the owner keeps for itself, and the
// swatch it paints.
class ColourButtonTest : public QObject {
    Q_OBJECT

private slots:
    void clickChoosesOrCancels_data();
    void clickChoosesOrCancels();
    void ownerDecidesWhenClicksDoNotChoose();
    void paintsTheColourInsideItsFrame_data();
    void paintsTheColourInsideItsFrame();
};

Q_DECLARE_METATYPE(std::optional<QColor>)

void ColourButtonTest::clickChoosesOrCancels_data()
{
    QTest::addColumn<std::optional<QColor>>("answer");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("OK") << std::optional<QColor>(QColor(10, 200, 30)) << QColor(10, 200, 30);
    QTest::newRow("Cancel") << std::optional<QColor>() << QColor(255, 128, 0);
}

void ColourButtonTest::clickChoosesOrCancels()
{
    QFETCH(std::optional<QColor>, answer);
    QFETCH(QColor, expected);
    ChooserStub chooser({answer});
    TColourButton button(QColor(255, 128, 0));
    QSignalSpy changed(&button, &TColourButton::ColourChanged);
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(chooser.Openings().size(), std::size_t{1});
    QCOMPARE(chooser.Openings()[0], QColor(255, 128, 0));  // starts on the current colour
    QCOMPARE(button.Colour(), expected);
    QCOMPARE(changed.count(), answer ? 1 : 0);
    if (answer) {
        QCOMPARE(changed.at(0).at(0).value<QColor>(), expected);
    }
}

void ColourButtonTest::ownerDecidesWhenClicksDoNotChoose()
{
    ChooserStub chooser({QColor(Qt::red)});
    TColourButton button(Qt::blue);
    button.SetChoosesOnClick(false);
    QSignalSpy clicked(&button, &TColourButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicked.count(), 1);
    QVERIFY(chooser.Openings().empty());
    QCOMPARE(button.Colour(), QColor(Qt::blue));
    QVERIFY(button.ChooseColour());  // the owner asks when it sees fit
    QCOMPARE(button.Colour(), QColor(Qt::red));
}

void ColourButtonTest::paintsTheColourInsideItsFrame_data()
{
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("raised") << false << true;
    QTest::newRow("pressed") << true << true;
    QTest::newRow("disabled") << false << false;
}

// The swatch fills the button within a frame two pixels wide at most; disabled, it is faded.
void ColourButtonTest::paintsTheColourInsideItsFrame()
{
    QFETCH(bool, pressed);
    QFETCH(bool, enabled);
    const QColor colour(10, 200, 30);
    TColourButton button(colour);
    button.resize(40, 20);
    button.setDown(pressed);
    button.setEnabled(enabled);
    const QImage image = button.grab().toImage();
    for (const QPoint& at : {QPoint(20, 10), QPoint(3, 3), QPoint(36, 16)}) {
        QCOMPARE(QColor(image.pixel(at)) == colour, enabled);
    }
    QVERIFY(QColor(image.pixel(0, 0)) != colour);
    QVERIFY(QColor(image.pixel(39, 19)) != colour);
}

SPEKLA_QTEST(ColourButtonTest);

#include "ColourButtonTest.moc"
