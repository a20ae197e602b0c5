#include "elements/TElementDialog.h"
#include "support/QtTestSupport.h"

#include <QLineEdit>
#include <QObject>
#include <QTest>

// TElementDialog as a user meets it: an untouched OK hands nothing back, changed fields come
// back, a bad symbol or ratio is refused with the dialog left open.
class ElementDialogTest : public QObject {
    Q_OBJECT

private slots:
    void roundTrip();
    void badSymbolKeepsTheDialogOpen();
};

// Empty keys leave that field untouched; nothing in `newSymbol` or `newRatio` expects nothing back.
void ElementDialogTest::roundTrip()
{
    struct Case {
        const char* symbol;
        double ratio;
        const char* shown;  // symbol and ratio as the fields show them
        const char* symbolKeys;
        const char* ratioKeys;
        std::optional<std::string> newSymbol;
        std::optional<double> newRatio;
    };
    const Case cases[] = {
        {"Fe", 1.0, "Fe 1", "", "", {}, {}},
        {"Abcdef", 2.123456789, "Abc 2.12346", "", "", {}, {}},  // long name, precise ratio
        {"Mn", 1e-7, "Mn 1e-07", "", "", {}, {}},                // an exponent that cannot be typed
        {"Fe", 1.0, "Fe 1", "Cu", "2.5", "Cu", 2.5},
        {"Fe", 2.5, "Fe 2.5", "Fe", "2.5", {}, {}},  // retyped as shown
    };
    for (const Case& c : cases) {
        TElementDialog dialog(nullptr, c.symbol, c.ratio);
        auto* symbol = Find<QLineEdit>(dialog, "symbol");
        auto* ratio = Find<QLineEdit>(dialog, "ratio");
        QCOMPARE(symbol->text() + " " + ratio->text(), c.shown);
        if (*c.symbolKeys != 0) {
            Retype(symbol, c.symbolKeys);
        }
        if (*c.ratioKeys != 0) {
            Retype(ratio, c.ratioKeys);
        }
        dialog.show();
        QCOMPARE(ClickOk(dialog).Caption(), "");
        QCOMPARE(dialog.result(), QDialog::Accepted);
        QCOMPARE(dialog.NewSymbol(), c.newSymbol);
        QCOMPARE(dialog.NewRatio(), c.newRatio);
    }
}

// Empty, with a blank, or starting like a number or a sign.
void ElementDialogTest::badSymbolKeepsTheDialogOpen()
{
    for (const char* keys : {"", "F e", "1a", "+"}) {
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
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.focusWidget(), symbol);

        Retype(symbol, "Co");
        QCOMPARE(ClickOk(dialog).Caption(), "");
        QCOMPARE(dialog.result(), QDialog::Accepted);
        QCOMPARE(dialog.NewSymbol(), std::string("Co"));
    }
}

SPEKLA_QTEST(ElementDialogTest);

#include "ElementDialogTest.moc"
