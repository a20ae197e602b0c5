#include "framework/DoubleRange.h"
#include "framework/TInputDialog.h"
#include "support/QtTestSupport.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QObject>
#include <QPushButton>
#include <QTest>

// TInputDialog as a user meets it: what OK and Cancel do with the text, the box that explains a
// wrong number, and what typing can and cannot put into the field through its
// TDoubleRangeValidator. Which texts a range takes is checked in DoubleRangeTest.
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
    QTest::addColumn<bool>("acceptable");
    const auto row = [](const char* name, const char* initial, const char* keys, const char* result,
                        bool acceptable) {
        QTest::newRow(name) << QString(initial) << QString::fromUtf8(keys) << QString(result)
                            << acceptable;
    };
    row("exponent refused", "", "1e3", "13", true);
    row("decimal comma refused", "", "1,5", "15", true);
    row("non-ASCII digit refused", "", "\u0663", "", false);
    row("no digit yet", "", "", "", false);
    row("out of range may be typed", "", "2000", "2000", false);
    row("length limit", "", "1234567890123456789", "123456789012345", false);
    row("initial cut to the limit", "1234567890123456789", "", "123456789012345", false);
}

// On a German desktop too: the program reads numbers with a point only.
void InputDialogTest::typing()
{
    QFETCH(QString, initial);
    QFETCH(QString, keys);
    QFETCH(QString, result);
    QFETCH(bool, acceptable);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TInputDialog dialog(nullptr, "Spekla", "Scale:", initial);
    dialog.SetRange({0, 1000});
    QLocale::setDefault(QLocale::c());
    auto* edit = Find<QLineEdit>(dialog);
    edit->end(false);
    for (const QChar key : keys) {  // keyClicks takes ASCII only
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, key, Qt::NoModifier);
    }
    QCOMPARE(dialog.Text(), result);
    QCOMPARE(edit->hasAcceptableInput(), acceptable);
}

SPEKLA_QTEST(InputDialogTest);

#include "InputDialogTest.moc"
