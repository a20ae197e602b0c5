#include "elements/TElementDialog.h"
#include "support/QtTestSupport.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QObject>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// TElementDialog as a user meets it: an untouched OK hands nothing back, changed fields come
// back, a bad symbol or ratio is refused with the dialog left open, and the field limits.
class ElementDialogTest : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void badSymbolKeepsTheDialogOpen_data();
    void badSymbolKeepsTheDialogOpen();
    void ratioOutOfRangeKeepsTheDialogOpen();
    void typing_data();
    void typing();
};

namespace {

QLineEdit* Field(TElementDialog& dialog, const char* name)
{
    return dialog.findChild<QLineEdit*>(name);
}

constexpr double kNone = -1;  // a ratio column's "nothing handed back"

}  // namespace

void ElementDialogTest::roundTrip_data()
{
    // An empty key text leaves that field untouched; "-" and kNone expect nothing back.
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<QString>("shownSymbol");
    QTest::addColumn<QString>("shownRatio");
    QTest::addColumn<QString>("symbolKeys");
    QTest::addColumn<QString>("ratioKeys");
    QTest::addColumn<QString>("newSymbol");
    QTest::addColumn<double>("newRatio");
    QTest::newRow("untouched") << "Fe" << 1.0 << "Fe"
                               << "1"
                               << ""
                               << ""
                               << "-" << kNone;
    QTest::newRow("long name and precise ratio kept") << "Abcdef" << 2.123456789 << "Abc"
                                                      << "2.12346"
                                                      << ""
                                                      << ""
                                                      << "-" << kNone;
    QTest::newRow("tiny ratio with exponent kept") << "Mn" << 1e-7 << "Mn"
                                                   << "1e-07"
                                                   << ""
                                                   << ""
                                                   << "-" << kNone;
    QTest::newRow("both changed") << "Fe" << 1.0 << "Fe"
                                  << "1"
                                  << "Cu"
                                  << "2.5"
                                  << "Cu" << 2.5;
    QTest::newRow("symbol only") << "Abcdef" << 0.5 << "Abc"
                                 << "0.5"
                                 << "Ab"
                                 << ""
                                 << "Ab" << kNone;
    QTest::newRow("ratio only, at the limit") << "Ni" << 0.5 << "Ni"
                                              << "0.5"
                                              << ""
                                              << "1000"
                                              << "-" << 1000.0;
    QTest::newRow("retyped as shown") << "Fe" << 2.5 << "Fe"
                                      << "2.5"
                                      << "Fe"
                                      << "2.5"
                                      << "-" << kNone;
}

void ElementDialogTest::roundTrip()
{
    QFETCH(QString, symbol);
    QFETCH(double, ratio);
    QFETCH(QString, shownSymbol);
    QFETCH(QString, shownRatio);
    QFETCH(QString, symbolKeys);
    QFETCH(QString, ratioKeys);
    QFETCH(QString, newSymbol);
    QFETCH(double, newRatio);
    TElementDialog dialog(nullptr, symbol.toStdString(), ratio);
    QCOMPARE(dialog.windowTitle(), "Element data");
    QCOMPARE(Field(dialog, "symbol")->text(), shownSymbol);
    QCOMPARE(Field(dialog, "ratio")->text(), shownRatio);

    if (!symbolKeys.isEmpty()) {
        Retype(Field(dialog, "symbol"), symbolKeys);
    }
    if (!ratioKeys.isEmpty()) {
        Retype(Field(dialog, "ratio"), ratioKeys);
    }
    dialog.show();
    QCOMPARE(ClickOk(dialog).Caption(), "");
    QCOMPARE(dialog.result(), QDialog::Accepted);
    if (newSymbol == "-") {
        QVERIFY(!dialog.NewSymbol());
    } else {
        QCOMPARE(dialog.NewSymbol(), newSymbol.toStdString());
    }
    if (newRatio == kNone) {
        QVERIFY(!dialog.NewRatio());
    } else {
        QVERIFY(dialog.NewRatio());
        QCOMPARE(*dialog.NewRatio(), newRatio);
    }
}

void ElementDialogTest::badSymbolKeepsTheDialogOpen_data()
{
    QTest::addColumn<QString>("keys");
    QTest::newRow("empty") << "";
    QTest::newRow("blank only") << " ";
    QTest::newRow("inner blank") << "F e";
    QTest::newRow("trailing blank") << "Fe ";
    QTest::newRow("starts with a digit") << "1a";
    QTest::newRow("plus") << "+";
}

void ElementDialogTest::badSymbolKeepsTheDialogOpen()
{
    QFETCH(QString, keys);
    TElementDialog dialog(nullptr, "Fe", 1.0);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QLineEdit* symbol = Field(dialog, "symbol");
    symbol->setText(keys);  // setText, as a tab key would move the focus instead
    Field(dialog, "ratio")->setFocus();
    const SeenBox seen = ClickOk(dialog);
    QCOMPARE(seen.Caption(),
             "Spekla: An element symbol must be one to three characters without blanks, not "
             "starting with a digit, + or -.");
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.focusWidget(), symbol);

    Retype(symbol, "Co");
    QCOMPARE(ClickOk(dialog).Caption(), "");
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), QDialog::Accepted);
    QCOMPARE(dialog.NewSymbol(), std::string("Co"));
}

void ElementDialogTest::ratioOutOfRangeKeepsTheDialogOpen()
{
    TElementDialog dialog(nullptr, "Fe", 1.0);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QLineEdit* ratio = Field(dialog, "ratio");
    Retype(ratio, "1001");
    QCOMPARE(ClickOk(dialog).Caption(), "Spekla: Value must lie with the range 0 to 1000.");
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.focusWidget(), ratio);
    QCOMPARE(ratio->selectedText(), "1001");

    Retype(ratio, "999.5");
    QCOMPARE(ClickOk(dialog).Caption(), "");
    QCOMPARE(dialog.result(), QDialog::Accepted);
    QCOMPARE(dialog.NewRatio(), 999.5);
}

void ElementDialogTest::typing_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("result");
    QTest::newRow("symbol limit") << "symbol"
                                  << "Abcd"
                                  << "Abc";
    QTest::newRow("ratio limit") << "ratio"
                                 << "1.23456789012345"
                                 << "1.234567890";
}

void ElementDialogTest::typing()
{
    QFETCH(QString, field);
    QFETCH(QString, keys);
    QFETCH(QString, result);
    TElementDialog dialog(nullptr, "Fe", 1.0);
    QLineEdit* edit = Field(dialog, field.toLatin1().constData());
    Retype(edit, keys);
    QCOMPARE(edit->text(), result);
}

SPEKLA_QTEST(ElementDialogTest);

#include "ElementDialogTest.moc"
