#include "framework/DoubleRange.h"
#include "framework/TInputDialog.h"
#include "support/QtTestSupport.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QObject>
#include <QPushButton>
#include <QTest>

// TInputDialog as a user meets it: what OK and Cancel do with the text, the box that explains a
// wrong number, and what typing can and cannot put into the field. Which texts a range takes is
// checked in DoubleRangeTest and DoubleRangeValidatorTest.
class InputDialogTest : public QObject {
    Q_OBJECT

private slots:
    void buttons_data();
    void buttons();
    void typing_data();
    void typing();
};

void InputDialogTest::buttons_data()
{
    QTest::addColumn<bool>("ranged");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("refused");
    QTest::newRow("valid") << true << "5000.5" << true << false;
    QTest::newRow("out of range") << true << "100001" << true << true;
    QTest::newRow("cancel keeps no check") << true << "0" << false << false;
    QTest::newRow("no range, any text") << false << "abc" << true << false;
}

void InputDialogTest::buttons()
{
    QFETCH(bool, ranged);
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(bool, refused);
    TInputDialog dialog(nullptr, "Spekla", "Wavelength:", text);
    if (ranged) {
        dialog.SetRange({1, 100000});
    }
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QPushButton* button = Find<QDialogButtonBox>(dialog)->button(ok ? QDialogButtonBox::Ok
                                                                    : QDialogButtonBox::Cancel);
    button->setFocus();
    const SeenBox seen =
        AnswerNextMessageBox([button] { QTest::mouseClick(button, Qt::LeftButton); });

    QCOMPARE(dialog.isVisible(), refused);
    QCOMPARE(dialog.Text(), text);
    if (!refused) {
        QVERIFY(!seen.shown);
        QCOMPARE(dialog.result(), ok ? QDialog::Accepted : QDialog::Rejected);
        return;
    }
    QCOMPARE(seen.Caption(), "Spekla: Value must lie with the range 1 to 100000.");
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    // The wrong text is selected in the field, ready to be typed over.
    auto* edit = Find<QLineEdit>(dialog);
    QCOMPARE(dialog.focusWidget(), edit);
    QCOMPARE(edit->selectedText(), text);
}

void InputDialogTest::typing_data()
{
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("result");
    const auto row = [](const char* name, const char* initial, const char* keys,
                        const char* result) {
        QTest::newRow(name) << QString(initial) << QString(keys) << QString(result);
    };
    row("exponent refused", "", "1e3", "13");
    row("out of range may be typed", "", "2000", "2000");
    row("refused key keeps the text", "42", "x", "42");
    row("length limit", "", "1234567890123456789", "123456789012345");
    row("initial cut to the limit", "1234567890123456789", "", "123456789012345");
}

void InputDialogTest::typing()
{
    QFETCH(QString, initial);
    QFETCH(QString, keys);
    QFETCH(QString, result);
    TInputDialog dialog(nullptr, "Spekla", "Scale:", initial);
    dialog.SetRange({0, 1000});
    auto* edit = Find<QLineEdit>(dialog);
    edit->end(false);
    QTest::keyClicks(edit, keys);
    QCOMPARE(dialog.Text(), result);
}

SPEKLA_QTEST(InputDialogTest);

#include "InputDialogTest.moc"
