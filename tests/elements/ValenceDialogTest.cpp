#include "elements/TValenceDialog.h"
#include "support/QtTestSupport.h"

#include <map>
#include <set>
#include <tuple>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QObject>
#include <QPushButton>
#include <QTest>

// TValenceDialog: each box writes its own flag only, the flags it never shows, All and None.
class ValenceDialogTest : public QObject {
    Q_OBJECT

private slots:
    void eachBoxWritesOneShownFlag();
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

// A click on each box in turn, each in a new dialog: OK changes its own flag alone.
void ValenceDialogTest::eachBoxWritesOneShownFlag()
{
    // The numerals stand for their valences; Ox and BH for the last two flags.
    const std::map<QString, size_t> spotChecks = {{"I", 1}, {"XIX", 19}, {"Ox", 24}, {"BH", 25}};
    const Flags flags = WithHiddenFlags(0);
    std::set<size_t> written;
    const auto boxes = TValenceDialog(nullptr, flags).findChildren<QCheckBox*>().size();
    for (qsizetype i = 0; i < boxes; ++i) {
        TValenceDialog dialog(nullptr, flags);
        dialog.show();  // a hidden box has no size, so a click would miss it
        QCheckBox* box = dialog.findChildren<QCheckBox*>().at(i);
        // On the indicator: a box is as wide as its grid cell, but only its text takes clicks.
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
        QCOMPARE(ClickOk(dialog).Caption(), "");
        std::vector<size_t> changed;
        for (size_t index = 0; index < flags.size(); ++index) {
            if (dialog.Flags()[index] != flags[index]) {
                changed.push_back(index);
                QCOMPARE(dialog.Flags()[index], uint16_t(1));
            }
        }
        QCOMPARE(changed.size(), size_t{1});
        written.insert(changed[0]);
        if (spotChecks.count(box->text()) != 0) {
            QCOMPARE(changed[0], spotChecks.at(box->text()));
        }
    }
    QCOMPARE(written.size(), size_t(boxes));  // no two boxes share a flag
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
