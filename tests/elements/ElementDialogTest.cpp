#include "elements/TElementDialog.h"
#include "support/QtTestSupport.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QObject>
#include <QTest>

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
    void fieldsStopAtTheirLengths();
};

namespace {

constexpr double kNone = -1;  // nothing handed back for the ratio

}  // namespace

void ElementDialogTest::roundTrip_data()
{
    // Empty keys leave that field untouched; "-" and kNone expect nothing back.
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<QString>("shown");  // symbol and ratio as the fields show them
    QTest::addColumn<QString>("symbolKeys");
    QTest::addColumn<QString>("ratioKeys");
    QTest::addColumn<QString>("newSymbol");
    QTest::addColumn<double>("newRatio");
    const auto row = [](const char* name, const char* symbol, double ratio, const char* shown,
                        const char* symbolKeys, const char* ratioKeys, const char* newSymbol,
                        double newRatio) {
        QTest::newRow(name) << QString(symbol) << ratio << QString(shown) << QString(symbolKeys)
                            << QString(ratioKeys) << QString(newSymbol) << newRatio;
    };
    row("untouched", "Fe", 1.0, "Fe 1", "", "", "-", kNone);
    row("long name and precise ratio kept", "Abcdef", 2.123456789, "Abc 2.12346", "", "", "-",
        kNone);
    row("tiny ratio with exponent kept", "Mn", 1e-7, "Mn 1e-07", "", "", "-", kNone);
    row("both changed", "Fe", 1.0, "Fe 1", "Cu", "2.5", "Cu", 2.5);
    row("symbol only", "Abcdef", 0.5, "Abc 0.5", "Ab", "", "Ab", kNone);
    row("ratio only, at the limit", "Ni", 0.5, "Ni 0.5", "", "1000", "-", 1000.0);
    row("retyped as shown", "Fe", 2.5, "Fe 2.5", "Fe", "2.5", "-", kNone);
}

void ElementDialogTest::roundTrip()
{
    QFETCH(QString, symbol);
    QFETCH(double, ratio);
    QFETCH(QString, shown);
    QFETCH(QString, symbolKeys);
    QFETCH(QString, ratioKeys);
    QFETCH(QString, newSymbol);
    QFETCH(double, newRatio);
    TElementDialog dialog(nullptr, symbol.toStdString(), ratio);
    auto* symbolField = Find<QLineEdit>(dialog, "symbol");
    auto* ratioField = Find<QLineEdit>(dialog, "ratio");
    QCOMPARE(symbolField->text() + " " + ratioField->text(), shown);
    if (!symbolKeys.isEmpty()) {
        Retype(symbolField, symbolKeys);
    }
    if (!ratioKeys.isEmpty()) {
        Retype(ratioField, ratioKeys);
    }
    dialog.show();
    QCOMPARE(ClickOk(dialog).Caption(), "");
    QCOMPARE(dialog.result(), QDialog::Accepted);
    QCOMPARE(dialog.NewSymbol(),
             newSymbol == "-" ? std::nullopt : std::optional(newSymbol.toStdString()));
    QCOMPARE(dialog.NewRatio(), newRatio == kNone ? std::nullopt : std::optional(newRatio));
}

void ElementDialogTest::badSymbolKeepsTheDialogOpen_data()
{
    QTest::addColumn<QString>("keys");
    QTest::newRow("empty") << "";
    QTest::newRow("inner blank") << "F e";
    QTest::newRow("starts with a digit") << "1a";
    QTest::newRow("plus") << "+";
}

void ElementDialogTest::badSymbolKeepsTheDialogOpen()
{
    QFETCH(QString, keys);
    TElementDialog dialog(nullptr, "Fe", 1.0);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* symbol = Find<QLineEdit>(dialog, "symbol");
    symbol->setText(keys);  // setText, as a tab key would move the focus instead
    Find<QLineEdit>(dialog, "ratio")->setFocus();
    const SeenBox seen = ClickOk(dialog);
    QCOMPARE(seen.Caption(),
             "Spekla: An element symbol must be one to three characters without blanks, not "
             "starting with a digit, + or -.");
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.focusWidget(), symbol);

    Retype(symbol, "Co");
    QCOMPARE(ClickOk(dialog).Caption(), "");
    QCOMPARE(dialog.result(), QDialog::Accepted);
    QCOMPARE(dialog.NewSymbol(), std::string("Co"));
}

// The box itself (text, focus, selection) is checked in InputDialogTest.
void ElementDialogTest::ratioOutOfRangeKeepsTheDialogOpen()
{
    TElementDialog dialog(nullptr, "Fe", 1.0);
    dialog.show();
    auto* ratio = Find<QLineEdit>(dialog, "ratio");
    Retype(ratio, "1001");
    QVERIFY(ClickOk(dialog).shown);
    QVERIFY(dialog.isVisible());
    Retype(ratio, "999.5");
    QCOMPARE(ClickOk(dialog).Caption(), "");
    QCOMPARE(dialog.result(), QDialog::Accepted);
    QCOMPARE(dialog.NewRatio(), 999.5);
}

void ElementDialogTest::fieldsStopAtTheirLengths()
{
    TElementDialog dialog(nullptr, "Fe", 1.0);
    Retype(Find<QLineEdit>(dialog, "symbol"), "Abcd");
    QCOMPARE(dialog.NewSymbol(), std::string("Abc"));
    Retype(Find<QLineEdit>(dialog, "ratio"), "1.23456789012345");
    QCOMPARE(Find<QLineEdit>(dialog, "ratio")->text(), "1.234567890");
}

SPEKLA_QTEST(ElementDialogTest);

#include "ElementDialogTest.moc"
