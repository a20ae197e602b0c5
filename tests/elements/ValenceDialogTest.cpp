#include "elements/TValenceDialog.h"
#include "support/QtTestSupport.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QObject>
#include <QPushButton>
#include <QTest>

// TValenceDialog: which box stands for which flag, the flags it never shows, All and None.
class ValenceDialogTest : public QObject {
    Q_OBJECT

private slots:
    void boxMapsToItsFlag_data();
    void boxMapsToItsFlag();
    void allAndNoneKeepHiddenFlags_data();
    void allAndNoneKeepHiddenFlags();
};

namespace {

using Flags = TValenceDialog::FlagArray;

QCheckBox* Box(TValenceDialog& dialog, const QString& label)
{
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
        if (box->text() == label) {
            return box;
        }
    }
    return nullptr;
}

QPushButton* Button(TValenceDialog& dialog, const QString& text)
{
    for (QAbstractButton* button : dialog.findChild<QDialogButtonBox*>()->buttons()) {
        if (button->text() == text) {
            return qobject_cast<QPushButton*>(button);
        }
    }
    return nullptr;
}

// Flags whose hidden indexes hold values no check box would write.
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

void ClickOk(TValenceDialog& dialog)
{
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

}  // namespace

void ValenceDialogTest::boxMapsToItsFlag_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("index");
    const char* numerals[] = {"I",  "II",  "III",  "IV",  "V",  "VI",  "VII",  "VIII",  "IX", "X",
                              "XI", "XII", "XIII", "XIV", "XV", "XVI", "XVII", "XVIII", "XIX"};
    for (int i = 0; i < 19; ++i) {
        QTest::newRow(numerals[i]) << numerals[i] << i + 1;
    }
    QTest::newRow("Ox") << "Ox" << 24;
    QTest::newRow("BH") << "BH" << 25;
}

// Each box shows its own flag and writes only that flag, both ways.
void ValenceDialogTest::boxMapsToItsFlag()
{
    QFETCH(QString, label);
    QFETCH(int, index);
    for (const uint16_t start : {uint16_t{0}, uint16_t{1}}) {
        Flags flags = WithHiddenFlags(start);
        flags[index] = start == 0 ? 1 : 0;
        TValenceDialog dialog(nullptr, flags);
        dialog.show();  // a hidden box has no size, so a click would miss it
        QCOMPARE(dialog.windowTitle(), "Valences");
        QCOMPARE(dialog.findChildren<QCheckBox*>().size(), 21);
        QCheckBox* box = Box(dialog, label);
        QVERIFY(box != nullptr);
        QCOMPARE(box->isChecked(), start == 0);
        // On the indicator: a box is as wide as its grid cell, but only its text takes clicks.
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
        ClickOk(dialog);
        QCOMPARE(dialog.result(), QDialog::Accepted);
        QVERIFY(dialog.Flags() == WithHiddenFlags(start));
    }
}

void ValenceDialogTest::allAndNoneKeepHiddenFlags_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<uint16_t>("start");
    QTest::addColumn<uint16_t>("result");
    QTest::newRow("all") << "&All" << uint16_t{0} << uint16_t{1};
    QTest::newRow("none") << "&None" << uint16_t{1} << uint16_t{0};
    QTest::newRow("none from odd values") << "&None" << uint16_t{3} << uint16_t{0};
}

void ValenceDialogTest::allAndNoneKeepHiddenFlags()
{
    QFETCH(QString, button);
    QFETCH(uint16_t, start);
    QFETCH(uint16_t, result);
    TValenceDialog dialog(nullptr, WithHiddenFlags(start));
    dialog.show();
    QPushButton* push = Button(dialog, button);
    QVERIFY(push != nullptr);
    QTest::mouseClick(push, Qt::LeftButton);
    QVERIFY(dialog.isVisible());  // the button does not close the dialog
    ClickOk(dialog);
    QVERIFY(dialog.Flags() == WithHiddenFlags(result));
}

SPEKLA_QTEST(ValenceDialogTest);

#include "ValenceDialogTest.moc"
