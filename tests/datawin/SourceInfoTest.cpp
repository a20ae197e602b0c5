#include "datawin/TSourceInfo.h"
#include "support/QtTestSupport.h"

#include <QLineEdit>
#include <QObject>
#include <QTest>

// TSourceInfo as a user meets it: the label and scale shown and read back, and a scale out of
// range refused with the range's message. What the scale field takes is InputDialogTest's.
class SourceInfoTest : public QObject {
    Q_OBJECT

private slots:
    void ScaleTextFitsTheField();
    void ShowsAndReadsBackLabelAndScale();
    void ScaleOutOfRangeKeepsTheDialogOpen();
};

// Exponents cannot be typed, so none is shown; OK without a change keeps a small scale.
void SourceInfoTest::ScaleTextFitsTheField()
{
    const std::pair<double, const char*> cases[] = {
        {1.0, "1.00"}, {0.000001, "0.000001"}, {1e-12, "0"}};
    for (const auto& [scale, text] : cases) {
        const std::string shown = TSourceInfo::ScaleText(scale);
        QCOMPARE(shown, std::string(text));
        QVERIFY(static_cast<int>(shown.size()) <= TSourceInfo::kScaleLength);
    }
}

void SourceInfoTest::ShowsAndReadsBackLabelAndScale()
{
    TSourceInfo dialog(nullptr, "nist.swt", "Kurucz and Bell 1995 CD-ROM", 0.5);
    QCOMPARE(Find<QLineEdit>(dialog, "label")->text(), "Kurucz and Bell 199");
    QCOMPARE(Find<QLineEdit>(dialog, "scale")->text(), "0.500");
    Retype(Find<QLineEdit>(dialog, "label"), "Kurucz 1995");
    Retype(Find<QLineEdit>(dialog, "scale"), ".25");
    dialog.show();
    QCOMPARE(ClickOk(dialog).Caption(), "");
    QCOMPARE(dialog.result(), QDialog::Accepted);
    QCOMPARE(dialog.Label(), "Kurucz 1995");
    QCOMPARE(dialog.Scale(), 0.25);
}

// Focus and selection after the box are InputDialogTest's: both use ConfirmValid.
void SourceInfoTest::ScaleOutOfRangeKeepsTheDialogOpen()
{
    TSourceInfo dialog(nullptr, "nist.swt", "NIST", 1.0);
    dialog.show();
    Retype(Find<QLineEdit>(dialog, "scale"), "1000.5");
    QCOMPARE(ClickOk(dialog).Caption(), "Spekla: Value must lie with the range 0 to 1000.");
    QVERIFY(dialog.isVisible());
}

SPEKLA_QTEST(SourceInfoTest);

#include "SourceInfoTest.moc"
