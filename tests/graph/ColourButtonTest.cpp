#include "ChooserStub.h"
#include "graph/TColourButton.h"
#include "support/QtTestSupport.h"

#include <QObject>
#include <QSignalSpy>
#include <QTest>

// TColourButton: choosing a colour or cancelling, and clicks the owner keeps for itself.
class ColourButtonTest : public QObject {
    Q_OBJECT

private slots:
    void ClickChoosesOrCancels();
};

// The chooser starts on the current colour; a cancelled one changes nothing; an owner that keeps
// the clicks asks when it sees fit.
void ColourButtonTest::ClickChoosesOrCancels()
{
    ChooserStub chooser({QColor(10, 200, 30), std::nullopt, QColor(Qt::red)});
    TColourButton button(QColor(255, 128, 0));
    QSignalSpy changed(&button, &TColourButton::ColourChanged);
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(chooser.Openings(), (std::vector<QColor>{QColor(255, 128, 0), QColor(10, 200, 30)}));
    QCOMPARE(button.Colour(), QColor(10, 200, 30));
    QCOMPARE(changed.count(), 1);
    button.SetChoosesOnClick(false);
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(chooser.Openings().size(), std::size_t{2});
    QVERIFY(button.ChooseColour());
    QCOMPARE(button.Colour(), QColor(Qt::red));
}

SPEKLA_QTEST(ColourButtonTest);

#include "ColourButtonTest.moc"
