#include "workspace/TExportDialog.h"
#include "support/QtTestSupport.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QObject>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

class ExportDialogTest : public QObject {
    Q_OBJECT

private slots:
    void SteppedRangeKeepsTwoDigits_data();
    void SteppedRangeKeepsTwoDigits();
    void ArrowsAndKeysStepWithinTheLimits();
    void OkRefusesARangeOutsideTheLimitsAndCancelDoesNot();
};

void ExportDialogTest::SteppedRangeKeepsTwoDigits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("tenths");
    QTest::addColumn<QString>("stepped");
    QTest::newRow("whole number") << "4" << 0 << "4.0";
    QTest::newRow("ten keeps its point") << "10" << 0 << "10.";
    QTest::newRow("a half") << "0.5" << 0 << "0.50";
    QTest::newRow("up") << "4.0" << 1 << "4.1";
    QTest::newRow("down") << "0.50" << -1 << "0.40";
    QTest::newRow("up to ten") << "9.95" << 1 << "10.";
    QTest::newRow("not past ten") << "10." << 1 << "10.";
    QTest::newRow("not below zero") << "0.0" << -1 << "0.0";
    QTest::newRow("down to zero") << "0.10" << -1 << "0.0";
    QTest::newRow("too large is limited") << "25" << -1 << "10.";
    QTest::newRow("no number counts as zero") << "abc" << 1 << "0.10";
    QTest::newRow("empty") << "" << 1 << "0.10";
    QTest::newRow("tiny rest is zero") << "0.10001" << -1 << "0.0";
}

void ExportDialogTest::SteppedRangeKeepsTwoDigits()
{
    QFETCH(QString, text);
    QFETCH(int, tenths);
    QTEST(TExportDialog::SteppedRange(text, tenths), "stepped");
}

void ExportDialogTest::ArrowsAndKeysStepWithinTheLimits()
{
    TExportDialog dialog(ExportSettings{"out.txt", "9.8", 0, 0, 1});
    auto* range = Find<QLineEdit>(dialog, "range");
    for (int i = 0; i < 5; ++i) {
        Find<QToolButton>(dialog, "rangeUp")->click();
    }
    QCOMPARE(range->text(), QString("10."));
    QTest::keyClick(range, Qt::Key_Down);
    QCOMPARE(range->text(), QString("9.9"));
    QTest::keyClick(range, Qt::Key_Up);
    QCOMPARE(range->text(), QString("10."));
    range->setText("0.1");
    Find<QToolButton>(dialog, "rangeDown")->click();
    Find<QToolButton>(dialog, "rangeDown")->click();
    QCOMPARE(range->text(), QString("0.0"));
}

// The controls give the settings, the fields' lengths are limited, F1 finds a topic on every
// control; OK explains the limits and keeps the dialog open until the range is right; Cancel
// checks nothing.
void ExportDialogTest::OkRefusesARangeOutsideTheLimitsAndCancelDoesNot()
{
    TExportDialog dialog(ExportSettings{"out.txt", "11", 0, 1, 0});
    QVERIFY(Find<QRadioButton>(dialog, "summation")->isChecked());
    QCOMPARE(Find<QLineEdit>(dialog, "fileName")->maxLength(), 255);
    QCOMPARE(Find<QLineEdit>(dialog, "range")->maxLength(), 9);
    for (QWidget* control : dialog.findChildren<QWidget*>()) {
        if (qobject_cast<QAbstractButton*>(control) || qobject_cast<QLineEdit*>(control)) {
            QVERIFY2(control->property("helpContext").isValid(), qPrintable(control->objectName()));
        }
    }
    dialog.show();
    QCOMPARE(ClickOk(dialog).text, QString("Value must lie with the range 0 to 10."));
    QVERIFY(dialog.isVisible());
    Find<QLineEdit>(dialog, "range")->setText("10.");
    Find<QRadioButton>(dialog, "both")->click();
    QVERIFY(!ClickOk(dialog).shown);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const ExportSettings settings = dialog.Settings();
    QCOMPARE(settings.FileName + " " + settings.Range, std::string("out.txt 10."));
    QVERIFY(settings.Both == 1 && settings.Summ == 0 && settings.Data == 0);

    TExportDialog cancelled(ExportSettings{"out.txt", "abc", 0, 0, 1});
    cancelled.show();
    Find<QDialogButtonBox>(cancelled)->button(QDialogButtonBox::Cancel)->click();
    QVERIFY(!cancelled.isVisible());
    QCOMPARE(cancelled.result(), int(QDialog::Rejected));
}

SPEKLA_QTEST(ExportDialogTest);

#include "ExportDialogTest.moc"
