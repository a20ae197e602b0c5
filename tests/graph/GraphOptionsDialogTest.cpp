#include "graph/TColourButton.h"
#include "graph/TGraphOptionsDialog.h"
#include "support/QtTestSupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QObject>
#include <QTabWidget>
#include <QTest>

// TGraphOptionsDialog as a user meets it: an untouched OK gives back the settings it opened on,
// "% Change" reads and writes the height factor, refused numbers keep the dialog open, the element
// controls follow "Elements".
class GraphOptionsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void UntouchedOkGivesTheSettingsBack();
    void RefusedNumberKeepsTheDialogOpen();
    void ElementControlsFollowTheirBox();
};

namespace {

const std::vector<std::string> kLabels{"NIST", "Kurucz", "Own"};

// Every setting off its default, with numbers whose six-digit texts do not read back exactly.
GraphSettings Changed()
{
    GraphSettings settings;
    settings.labelColour = {1, 2, 3};
    settings.summationColour = {4, 5, 6};
    settings.overlayColour = {7, 8, 9};
    settings.orderDisplayed = {false, true, false, true, true};
    settings.orderColours = {Colour{11, 0, 0}, Colour{0, 12, 0}, Colour{0, 0, 13},
                             Colour{14, 14, 0}, Colour{0, 15, 15}};
    settings.rangeStep = 0.123456789;
    settings.lineWidth = 2.5;
    settings.linearHeight = 150.0 * 1.2 * 1.2 * 1.2;
    settings.heightFactor = 1.0123456789;
    settings.range = 12.3456789;
    settings.summationMode = 2;
    settings.displayOverlay = true;
    settings.useElementColours = true;
    settings.treatOrderAsRatio = false;
    settings.overlayStyle = 2;
    settings.overlayOnLineScale = true;
    settings.fitHeight = false;
    settings.elementColours = {Colour{21, 0, 0}, Colour{0, 22, 0}, Colour{0, 0, 23},
                               Colour{24, 24, 0}, Colour{0, 25, 25}};
    settings.elementNames = {"Fe", "Cu", "", "Ni", "H"};
    settings.SetTableColour(0, {31, 32, 33});
    settings.SetTableColour(2, {34, 35, 36});
    return settings;
}

// `settings` as the dialog gives them back: with a colour for each of its tables.
GraphSettings WithTableColours(GraphSettings settings)
{
    for (std::size_t table = 0; table < kLabels.size(); ++table) {
        settings.SetTableColour(table, settings.TableColour(table));
    }
    return settings;
}

}  // namespace

// Each summation mode sets other controls; the fit and the overlay's style and scale come back.
void GraphOptionsDialogTest::UntouchedOkGivesTheSettingsBack()
{
    GraphSettings shown = Changed();
    shown.summationMode = 1;
    for (const GraphSettings& settings : {GraphSettings(), Changed(), shown}) {
        TGraphOptionsDialog dialog(nullptr, settings, kLabels);
        dialog.show();
        QCOMPARE(ClickOk(dialog).Caption(), "");
        QVERIFY(dialog.Settings() == WithTableColours(settings));
    }
    // A height typed in the dialog is meant to stay: the automatic fit ends.
    TGraphOptionsDialog dialog(nullptr, GraphSettings(), kLabels);
    dialog.show();
    Retype(Find<QLineEdit>(dialog, "height"), "500");
    QCOMPARE(ClickOk(dialog).Caption(), "");
    QVERIFY(!dialog.Settings().fitHeight);
}

// The field may sit on the other page when OK is pressed: the dialog turns to it.
void GraphOptionsDialogTest::RefusedNumberKeepsTheDialogOpen()
{
    // Field, text, whether typed (else set as it stands, past the typing filter), range.
    const std::tuple<QString, QString, bool, QString> cases[] = {
        {"height", "5", true, "10 to 100000"},
        {"range", "0.005", true, "0.01 to 100000"},
        {"lineWidth", "wide", false, "0.01 to 10"},
        {"heightChange", "", true, "1 to 100"}};
    for (const auto& [field, text, typed, range] : cases) {
        TGraphOptionsDialog dialog(nullptr, Changed(), kLabels);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* edit = Find<QLineEdit>(dialog, field);
        typed ? Retype(edit, text) : edit->setText(text);
        QCOMPARE(edit->text(), text);
        Find<QTabWidget>(dialog)->setCurrentIndex(1);
        QCOMPARE(ClickOk(dialog).Caption(), "Spekla: Value must lie with the range " + range + ".");
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.focusWidget(), edit);
        Retype(edit, "10");
        QCOMPARE(ClickOk(dialog).Caption(), "");
        QCOMPARE(dialog.result(), QDialog::Accepted);
    }
}

// The check box enables the five colours and names, and only those; names are cut to four
// letters when shown and typed, and take letters only.
void GraphOptionsDialogTest::ElementControlsFollowTheirBox()
{
    GraphSettings settings;
    settings.elementNames = {"Abcdef", "", "", "", ""};
    TGraphOptionsDialog dialog(nullptr, settings, kLabels);
    dialog.show();
    Find<QTabWidget>(dialog)->setCurrentIndex(1);
    auto* colour = Find<TColourButton>(dialog, "element4");
    auto* name = Find<QLineEdit>(dialog, "elementName3");
    QVERIFY(!colour->isEnabled() && !name->isEnabled());
    QTest::mouseClick(Find<QCheckBox>(dialog, "useElementColours"), Qt::LeftButton);
    QVERIFY(colour->isEnabled() && name->isEnabled());
    QVERIFY(Find<TColourButton>(dialog, "summation")->isEnabled());
    QCOMPARE(Find<QLineEdit>(dialog, "elementName0")->text(), "Abcd");
    Retype(name, "C2u-rtains");
    QCOMPARE(ClickOk(dialog).Caption(), "");
    QVERIFY(dialog.Settings().useElementColours);
    QCOMPARE(dialog.Settings().elementNames,
             (std::array<std::string, 5>{"Abcd", "", "", "Curt", ""}));
}

SPEKLA_QTEST(GraphOptionsDialogTest);

#include "GraphOptionsDialogTest.moc"
