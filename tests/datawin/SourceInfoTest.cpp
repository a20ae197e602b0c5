#include "datawin/TSourceInfo.h"
#include "support/QtTestSupport.h"

#include <QLineEdit>
#include <QObject>
#include <QTest>

// TSourceInfo as a user meets it: the label and scale shown and read back, the field limits, and
// a scale out of range refused with the range's message.
class SourceInfoTest : public QObject {
    Q_OBJECT

private slots:
    void ScaleTextFitsTheField();
    void ShowsAndReadsBackLabelAndScale();
    void FieldsTakeOnlyWhatFits();
    void ScaleOutOfRangeKeepsTheDialogOpen();
};

// Exponents cannot be typed, so none is shown; OK without a change keeps a small scale.
void SourceInfoTest::ScaleTextFitsTheField()
{
    const std::pair<double, const char*> cases[] = {
        {1.0, "1.00"}, {12.345, "12.3"}, {1000.0, "1000"}, {0.000001, "0.000001"}, {1e-12, "0"}};
    for (const auto& [scale, text] : cases) {
        const std::string shown = TSourceInfo::ScaleText(scale);
        QCOMPARE(shown, std::string(text));
        QVERIFY(static_cast<int>(shown.size()) <= TSourceInfo::kScaleLength);
    }
}

void SourceInfoTest::ShowsAndReadsBackLabelAndScale()
{
    TSourceInfo dialog(nullptr, "nist.swt", "Kurucz and Bell 1995 CD-ROM", 0.5);
    QCOMPARE(dialog.windowTitle(), "nist.swt");
    QCOMPARE(Find<QLineEdit>(dialog, "label")->text(), "Kurucz and Bell 199");
    QCOMPARE(Find<QLineEdit>(dialog, "scale")->text(), "0.500");
    Retype(Find<QLineEdit>(dialog, "label"), "Kurucz 1995");
    Retype(Find<QLineEdit>(dialog, "scale"), ".25");
    dialog.show();
    QCOMPARE(ClickOk(dialog).Caption(), "");
    QCOMPARE(dialog.result(), QDialog::Accepted);
    QCOMPARE(dialog.Label(), "Kurucz 1995");
    QCOMPARE(dialog.Scale(), 0.25);
}

// The scale field refuses a sign, an exponent and a decimal comma, but not a number out of range.
void SourceInfoTest::FieldsTakeOnlyWhatFits()
{
    const char* const cases[][3] = {
        {"label", "abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqrs"},
        {"label", "Fe-1e3, x", "Fe-1e3, x"},
        {"scale", "1.23456789012345", "1.234567890"},
        {"scale", "-1e2,5", "125"},
        {"scale", "5000", "5000"},
    };
    for (const auto& [field, keys, result] : cases) {
        TSourceInfo dialog(nullptr, "nist.swt", "NIST", 1.0);
        auto* edit = Find<QLineEdit>(dialog, field);
        Retype(edit, keys);
        QCOMPARE(edit->text(), result);
    }
}

void SourceInfoTest::ScaleOutOfRangeKeepsTheDialogOpen()
{
    TSourceInfo dialog(nullptr, "nist.swt", "NIST", 1.0);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* scale = Find<QLineEdit>(dialog, "scale");
    Retype(scale, "1000.5");
    Find<QLineEdit>(dialog, "label")->setFocus();
    QCOMPARE(ClickOk(dialog).Caption(), "Spekla: Value must lie with the range 0 to 1000.");
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.focusWidget(), scale);
    QCOMPARE(scale->selectedText(), "1000.5");

    Retype(scale, "1000");
    QCOMPARE(ClickOk(dialog).Caption(), "");
    QCOMPARE(dialog.result(), QDialog::Accepted);
    QCOMPARE(dialog.Scale(), 1000.0);
}

SPEKLA_QTEST(SourceInfoTest);

#include "SourceInfoTest.moc"
