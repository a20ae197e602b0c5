#include "support/QtTestSupport.h"
#include "workspace/TExportDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

class ExportDialogTest : public QObject {
    Q_OBJECT

private slots:
    void SteppedRangeKeepsTwoDigits();
    void OkRefusesARangeOutsideTheLimits();
};

// Text, tenths stepped, text shown: ten keeps its point, steps stay within 0 to 10, no number
// counts as zero; half the width is shown beside it.
void ExportDialogTest::SteppedRangeKeepsTwoDigits()
{
    const std::tuple<const char*, int, const char*> cases[] = {
        {"4", 0, "4.0"},    {"0.5", 0, "0.50"}, {"9.95", 1, "10."}, {"10.", 1, "10."},
        {"0.0", -1, "0.0"}, {"25", -1, "10."},  {"abc", 1, "0.10"}, {"0.10001", -1, "0.0"}};
    for (const auto& [text, tenths, stepped] : cases) {
        QCOMPARE(TExportDialog::SteppedRange(text, tenths), QString(stepped));
    }
    TExportDialog dialog(ExportSettings{"out.txt", "9.9", 0, 0, 1});
    auto* range = Find<QLineEdit>(dialog, "range");
    Find<QToolButton>(dialog, "rangeUp")->click();
    QTest::keyClick(range, Qt::Key_Down);
    Find<QToolButton>(dialog, "rangeDown")->click();
    QCOMPARE(range->text(), QString("9.8"));
    auto* halfRange = Find<QLabel>(dialog, "halfRange");
    QCOMPARE(halfRange->text(), QString("(\u00B1 4.9 \u00C5)"));
    range->setText("11");
    QCOMPARE(halfRange->text(), QString());
}

// The controls give the settings; OK explains the limits and keeps the dialog open until the
// range is right.
void ExportDialogTest::OkRefusesARangeOutsideTheLimits()
{
    TExportDialog dialog(ExportSettings{"out.txt", "11", 0, 1, 0});
    QVERIFY(Find<QRadioButton>(dialog, "summation")->isChecked());
    dialog.show();
    QCOMPARE(ClickOk(dialog).text, QString("Value must lie with the range 0 to 10."));
    QVERIFY(dialog.isVisible());
    Find<QLineEdit>(dialog, "range")->setText("10.");
    Find<QRadioButton>(dialog, "both")->click();
    QVERIFY(!ClickOk(dialog).shown);
    const ExportSettings settings = dialog.Settings();
    QCOMPARE(settings.FileName + " " + settings.Range, std::string("out.txt 10."));
    QVERIFY(settings.Both == 1 && settings.Summ == 0 && settings.Data == 0);
}

SPEKLA_QTEST(ExportDialogTest);

#include "ExportDialogTest.moc"
