#include "framework/DoubleRange.h"
#include "framework/TInputDialog.h"
#include "support/QtTestSupport.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QObject>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// TInputDialog as a user meets it: what OK and Cancel do with the text, the box that explains a
// wrong number, and what typing can and cannot put into the field.
class InputDialogTest : public QObject {
    Q_OBJECT

private slots:
    void buttons_data();
    void buttons();
    void typing_data();
    void typing();
};

namespace {

QPushButton* Button(QDialog& dialog, QDialogButtonBox::StandardButton which)
{
    return dialog.findChild<QDialogButtonBox*>()->button(which);
}

}  // namespace

void InputDialogTest::buttons_data()
{
    QTest::addColumn<bool>("ranged");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("error");  // empty when the dialog closes
    const QString range = "Value must lie with the range 1 to 100000.";
    QTest::newRow("valid") << true << "5000.5" << true << "";
    QTest::newRow("upper end") << true << "100000" << true << "";
    QTest::newRow("above") << true << "100001" << true << range;
    QTest::newRow("below") << true << "0.5" << true << range;
    QTest::newRow("empty reads 0") << true << "" << true << range;
    QTest::newRow("cancel keeps no check") << true << "0" << false << "";
    QTest::newRow("no range, any text") << false << "abc" << true << "";
}

void InputDialogTest::buttons()
{
    QFETCH(bool, ranged);
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QString, error);
    TInputDialog dialog(nullptr, "Spekla", "Wavelength:", text);
    if (ranged) {
        dialog.SetRange({1, 100000});
    }
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QPushButton* button = Button(dialog, ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
    button->setFocus();

    const SeenBox seen =
        AnswerNextMessageBox([button] { QTest::mouseClick(button, Qt::LeftButton); });

    QCOMPARE(seen.shown, !error.isEmpty());
    QCOMPARE(dialog.isVisible(), !error.isEmpty());
    QCOMPARE(dialog.Text(), text);
    if (error.isEmpty()) {
        QCOMPARE(dialog.result(), ok ? QDialog::Accepted : QDialog::Rejected);
        return;
    }
    QCOMPARE(seen.title, "Spekla");
    QCOMPARE(seen.text, error);
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    auto* edit = dialog.findChild<QLineEdit*>();
    QCOMPARE(dialog.focusWidget(), edit);
    QCOMPARE(edit->selectedText(), text);
}

void InputDialogTest::typing_data()
{
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("result");
    QTest::newRow("allowed") << ""
                             << "12.5"
                             << "12.5";
    QTest::newRow("exponent refused") << ""
                                      << "1e3"
                                      << "13";
    QTest::newRow("decimal comma refused") << ""
                                           << "2,5"
                                           << "25";
    QTest::newRow("minus refused, range starts at 0") << ""
                                                      << "-7"
                                                      << "7";
    QTest::newRow("out of range may be typed") << ""
                                               << "2000"
                                               << "2000";
    QTest::newRow("refused key keeps the text") << "42"
                                                << "x"
                                                << "42";
    QTest::newRow("length limit") << ""
                                  << "1234567890123456789"
                                  << "123456789012345";
    QTest::newRow("initial cut to the limit") << "1234567890123456789"
                                              << ""
                                              << "123456789012345";
}

void InputDialogTest::typing()
{
    QFETCH(QString, initial);
    QFETCH(QString, keys);
    QFETCH(QString, result);
    TInputDialog dialog(nullptr, "Spekla", "Scale:", initial);
    dialog.SetRange({0, 1000});
    auto* edit = dialog.findChild<QLineEdit*>();
    edit->end(false);
    QTest::keyClicks(edit, keys);
    QCOMPARE(dialog.Text(), result);
}

SPEKLA_QTEST(InputDialogTest);

#include "InputDialogTest.moc"
