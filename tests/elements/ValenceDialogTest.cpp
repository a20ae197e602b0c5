#include "elements/TValenceDialog.h"
#include "support/QtTestSupport.h"

#include <tuple>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QObject>
#include <QPushButton>
#include <QTest>

// TValenceDialog: a box writes its own flag only, the flags it never shows, All and None.
class ValenceDialogTest : public QObject {
    Q_OBJECT

private slots:
    void boxesWriteTheirOwnFlag();
    void allAndNoneKeepHiddenFlags();
};

namespace {

using Flags = TValenceDialog::FlagArray;

// Flags whose hidden indexes (0, 20 to 23) hold values no check box would write.
Flags WithHiddenFlags(uint16_t shown)
{
    Flags flags;
    flags.fill(shown);
    flags[0] = 7;
    for (int i = 20; i <= 23; ++i) {
        flags[i] = static_cast<uint16_t>(100 + i);
    }
    return flags;
}

}  // namespace

// A click on a box, then OK, changes that box's flag alone: the first valence and the last
// flag, past the hidden ones.
void ValenceDialogTest::boxesWriteTheirOwnFlag()
{
    for (const auto& [label, index] : {std::pair{"I", 1}, std::pair{"BH", 25}}) {
        TValenceDialog dialog(nullptr, WithHiddenFlags(0));
        dialog.show();  // a hidden box has no size, so a click would miss it
        for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
            if (box->text() == label) {
                // On the indicator: a box is as wide as its grid cell, but only its text takes
                // clicks.
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
            }
        }
        QCOMPARE(ClickOk(dialog).Caption(), "");
        Flags expected = WithHiddenFlags(0);
        expected[index] = 1;
        QVERIFY(dialog.Flags() == expected);
    }
}

void ValenceDialogTest::allAndNoneKeepHiddenFlags()
{
    // All sets every shown flag; None clears them, odd values too.
    for (const auto& [button, start, result] :
         {std::tuple{"&All", 0, 1}, std::tuple{"&None", 3, 0}}) {
        TValenceDialog dialog(nullptr, WithHiddenFlags(uint16_t(start)));
        dialog.show();
        QCOMPARE(Find<QCheckBox>(dialog)->isChecked(), start != 0);
        for (QAbstractButton* push : Find<QDialogButtonBox>(dialog)->buttons()) {
            if (push->text() == button) {
                QTest::mouseClick(push, Qt::LeftButton);
            }
        }
        QVERIFY(dialog.isVisible());  // the button does not close the dialog
        ClickOk(dialog);
        QVERIFY(dialog.Flags() == WithHiddenFlags(uint16_t(result)));
    }
}

SPEKLA_QTEST(ValenceDialogTest);

#include "ValenceDialogTest.moc"
