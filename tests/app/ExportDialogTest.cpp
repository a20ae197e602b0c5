#include "workspace/TExportDialog.h"
#include "support/QtTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QObject>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

class ExportDialogTest : public QObject {
    Q_OBJECT

private slots:
    void SteppedRangeKeepsTwoDigits_data();
    void SteppedRangeKeepsTwoDigits();
    void ArrowsAndKeysStepWithinTheLimits();
    void EveryControlHasAHelpTopic();
    void SettingsComeBackFromTheControls();
    void OkRefusesARangeOutsideTheLimits();
    void CancelRejects();
};

namespace {

QLineEdit* Edit(TExportDialog& dialog, const char* name)
{
    return dialog.findChild<QLineEdit*>(name);
}

QPushButton* Button(TExportDialog& dialog, QDialogButtonBox::StandardButton which)
{
    return dialog.findChild<QDialogButtonBox*>()->button(which);
}

// Answers the message box that `act` opens; returns its text.
QString AnswerMessageBox(const std::function<void()>& act)
{
    QString text;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->text();
            box->accept();
        }
    });
    closer.start(10);
    act();
    return text;
}

}  // namespace

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
    QFETCH(QString, stepped);
    QCOMPARE(TExportDialog::SteppedRange(text, tenths), stepped);
}

void ExportDialogTest::ArrowsAndKeysStepWithinTheLimits()
{
    TExportDialog dialog(ExportSettings{"out.txt", "9.8", 0, 0, 1});
    QLineEdit* range = Edit(dialog, "range");
    auto* up = dialog.findChild<QToolButton*>("rangeUp");
    auto* down = dialog.findChild<QToolButton*>("rangeDown");
    for (int i = 0; i < 5; ++i) {
        up->click();
    }
    QCOMPARE(range->text(), QString("10."));
    QTest::keyClick(range, Qt::Key_Down);
    QCOMPARE(range->text(), QString("9.9"));
    QTest::keyClick(range, Qt::Key_Up);
    QCOMPARE(range->text(), QString("10."));
    range->setText("0.1");
    down->click();
    down->click();
    QCOMPARE(range->text(), QString("0.0"));
}

// F1 finds a topic on every control the user can reach.
void ExportDialogTest::EveryControlHasAHelpTopic()
{
    TExportDialog dialog(ExportSettings{});
    QCOMPARE(dialog.windowTitle(), QString("Export data"));
    QCOMPARE(dialog.property("helpContext").toInt(), 7);
    const QList<QWidget*> controls = dialog.findChildren<QWidget*>();
    int checked = 0;
    for (QWidget* control : controls) {
        if (qobject_cast<QAbstractButton*>(control) || qobject_cast<QLineEdit*>(control)) {
            QVERIFY2(control->property("helpContext").isValid(), qPrintable(control->objectName()));
            ++checked;
        }
    }
    QCOMPARE(checked, 11);  // two edits, browse, two arrows, three choices, OK, Cancel, Help
}

void ExportDialogTest::SettingsComeBackFromTheControls()
{
    TExportDialog dialog(ExportSettings{"Lines.txt", "2", 0, 1, 0});
    QVERIFY(dialog.findChild<QRadioButton*>("summation")->isChecked());
    QCOMPARE(Edit(dialog, "fileName")->maxLength(), 255);
    QCOMPARE(Edit(dialog, "range")->maxLength(), 9);
    ExportSettings settings = dialog.Settings();
    QCOMPARE(settings.FileName, std::string("Lines.txt"));
    QCOMPARE(settings.Range, std::string("2"));
    QCOMPARE(settings.Summ, uint16_t{1});
    dialog.findChild<QRadioButton*>("both")->click();
    Edit(dialog, "fileName")->setText("/tmp/Other.txt");
    settings = dialog.Settings();
    QCOMPARE(settings.FileName, std::string("/tmp/Other.txt"));
    QCOMPARE(settings.Both + settings.Summ + settings.Data, 1);
    QCOMPARE(settings.Both, uint16_t{1});
}

// The validator's message, and the dialog stays open until the range is right.
void ExportDialogTest::OkRefusesARangeOutsideTheLimits()
{
    TExportDialog dialog(ExportSettings{"out.txt", "11", 0, 0, 1});
    dialog.show();
    QPushButton* ok = Button(dialog, QDialogButtonBox::Ok);
    QCOMPARE(AnswerMessageBox([&] { ok->click(); }),
             QString("Value must lie with the range 0 to 10."));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    Edit(dialog, "range")->setText("10.");
    ok->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void ExportDialogTest::CancelRejects()
{
    TExportDialog dialog(ExportSettings{"out.txt", "abc", 0, 0, 1});
    dialog.show();
    Button(dialog, QDialogButtonBox::Cancel)->click();  // no check of the range on Cancel
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

SPEKLA_QTEST(ExportDialogTest);

#include "ExportDialogTest.moc"
