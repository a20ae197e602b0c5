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
    void ClickChoosesOrCancels();
    void OwnerDecidesWhenClicksDoNotChoose();
    void PaintsTheColourInsideItsFrame();
};

// The chooser starts on the current colour; a cancelled one changes nothing.
void ColourButtonTest::ClickChoosesOrCancels()
{
    ChooserStub chooser({QColor(10, 200, 30), std::nullopt});
    TColourButton button(QColor(255, 128, 0));
    QSignalSpy changed(&button, &TColourButton::ColourChanged);
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(button.Colour(), QColor(10, 200, 30));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).value<QColor>(), QColor(10, 200, 30));
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(chooser.Openings(), (std::vector<QColor>{QColor(255, 128, 0), QColor(10, 200, 30)}));
    QCOMPARE(button.Colour(), QColor(10, 200, 30));
    QCOMPARE(changed.count(), 1);
}

void ColourButtonTest::OwnerDecidesWhenClicksDoNotChoose()
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

// The swatch fills the button within a frame two pixels wide at most, raised or pressed;
// disabled, it is faded.
void ColourButtonTest::PaintsTheColourInsideItsFrame()
{
    const QColor colour(10, 200, 30);
    for (const auto& [pressed, enabled] : {std::pair{false, true}, {true, true}, {false, false}}) {
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
}

SPEKLA_QTEST(ColourButtonTest);

#include "ColourButtonTest.moc"
