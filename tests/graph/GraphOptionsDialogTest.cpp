#include "ChooserStub.h"
#include "graph/TColourButton.h"
#include "graph/TGraphOptionsDialog.h"
#include "support/QtTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QObject>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

// TGraphOptionsDialog as a user meets it: an untouched OK gives back the settings it opened on,
// "% Change" reads and writes the height factor, refused numbers keep the dialog open, values
// outside a field's range show at its limit, the element controls follow "Elements" and the
// source list edits each table's colour.
class GraphOptionsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void untouchedOkGivesTheSettingsBack_data();
    void untouchedOkGivesTheSettingsBack();
    void percentChangeIsTheHeightFactor_data();
    void percentChangeIsTheHeightFactor();
    void refusedNumberKeepsTheDialogOpen_data();
    void refusedNumberKeepsTheDialogOpen();
    void valueOutsideAFieldShowsItsLimit_data();
    void valueOutsideAFieldShowsItsLimit();
    void elementsBoxEnablesTenControls_data();
    void elementsBoxEnablesTenControls();
    void elementNamesAreFourLetters_data();
    void elementNamesAreFourLetters();
    void sourceListEditsTableColours_data();
    void sourceListEditsTableColours();
};

Q_DECLARE_METATYPE(GraphSettings)

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
    settings.elementColours = {Colour{21, 0, 0}, Colour{0, 22, 0}, Colour{0, 0, 23},
                               Colour{24, 24, 0}, Colour{0, 25, 25}};
    settings.elementNames = {"Fe", "Cu", "", "Ni", "H"};
    settings.SetTableColour(0, {31, 32, 33});
    settings.SetTableColour(2, {34, 35, 36});
    return settings;
}

// The names of the settings that differ; empty when none do.
QString Differences(const GraphSettings& a, const GraphSettings& b)
{
    QStringList names;
    const auto check = [&names](const char* name, bool same) {
        if (!same) {
            names << name;
        }
    };
    check("labelColour", a.labelColour == b.labelColour);
    check("summationColour", a.summationColour == b.summationColour);
    check("overlayColour", a.overlayColour == b.overlayColour);
    check("orderDisplayed", a.orderDisplayed == b.orderDisplayed);
    check("orderColours", a.orderColours == b.orderColours);
    check("rangeStep", a.rangeStep == b.rangeStep);
    check("lineWidth", a.lineWidth == b.lineWidth);
    check("linearHeight", a.linearHeight == b.linearHeight);
    check("minimumHeight", a.minimumHeight == b.minimumHeight);
    check("heightFactor", a.heightFactor == b.heightFactor);
    check("range", a.range == b.range);
    check("summationMode", a.summationMode == b.summationMode);
    check("displayOverlay", a.displayOverlay == b.displayOverlay);
    check("useElementColours", a.useElementColours == b.useElementColours);
    check("treatOrderAsRatio", a.treatOrderAsRatio == b.treatOrderAsRatio);
    check("elementColours", a.elementColours == b.elementColours);
    check("elementNames", a.elementNames == b.elementNames);
    for (std::size_t table = 0; table < kLabels.size(); ++table) {
        check("tableColour", a.TableColour(table) == b.TableColour(table));
    }
    return names.join(", ");
}

// The number field named `field` and the setting it edits, in the setting's own terms.
double& SettingOf(GraphSettings& settings, const QString& field)
{
    if (field == "range") {
        return settings.range;
    }
    if (field == "rangeStep") {
        return settings.rangeStep;
    }
    if (field == "lineWidth") {
        return settings.lineWidth;
    }
    if (field == "height") {
        return settings.linearHeight;
    }
    return settings.heightFactor;
}

QColor ToQColor(Colour colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

}  // namespace

void GraphOptionsDialogTest::untouchedOkGivesTheSettingsBack_data()
{
    QTest::addColumn<GraphSettings>("settings");
    QTest::newRow("defaults") << GraphSettings();
    QTest::newRow("everything changed, summation only") << Changed();
    GraphSettings shown = Changed();
    shown.summationMode = 1;
    QTest::newRow("summation shown") << shown;
}

void GraphOptionsDialogTest::untouchedOkGivesTheSettingsBack()
{
    QFETCH(GraphSettings, settings);
    TGraphOptionsDialog dialog(nullptr, settings, kLabels);
    QCOMPARE(dialog.windowTitle(), "Graph options");
    QCOMPARE(dialog.property("helpContext").toInt(), 68);
    auto* pages = Find<QTabWidget>(dialog, "");
    QCOMPARE(pages->tabText(0), "Display");
    QCOMPARE(pages->tabText(1), "Colours");
    dialog.show();
    QCOMPARE(ClickOk(dialog).Caption(), "");
    QCOMPARE(dialog.result(), QDialog::Accepted);
    QCOMPARE(Differences(dialog.Settings(), settings), "");
}

void GraphOptionsDialogTest::percentChangeIsTheHeightFactor_data()
{
    QTest::addColumn<double>("factor");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("keys");  // empty: left as shown
    QTest::addColumn<double>("expected");
    QTest::newRow("20 per cent") << 1.2 << "20"
                                 << "" << 1.2;
    QTest::newRow("50 typed") << 1.2 << "20"
                              << "50" << 1.5;
    QTest::newRow("20 typed") << 1.5 << "50"
                              << "20" << 1.2;
    QTest::newRow("least") << 2.0 << "100"
                           << "1" << 1.01;
}

void GraphOptionsDialogTest::percentChangeIsTheHeightFactor()
{
    QFETCH(double, factor);
    QFETCH(QString, shown);
    QFETCH(QString, keys);
    QFETCH(double, expected);
    GraphSettings settings;
    settings.heightFactor = factor;
    TGraphOptionsDialog dialog(nullptr, settings, kLabels);
    auto* field = Find<QLineEdit>(dialog, "heightChange");
    QCOMPARE(field->text(), shown);
    if (!keys.isEmpty()) {
        Retype(field, keys);
    }
    dialog.show();
    QCOMPARE(ClickOk(dialog).Caption(), "");
    QCOMPARE(dialog.Settings().heightFactor, expected);
}

void GraphOptionsDialogTest::refusedNumberKeepsTheDialogOpen_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("typed");  // else set as it stands, past the typing filter
    QTest::addColumn<QString>("message");
    QTest::newRow("height 5") << "height"
                              << "5" << true << "Value must lie with the range 10 to 100000.";
    QTest::newRow("range 0.005") << "range"
                                 << "0.005" << true
                                 << "Value must lie with the range 0.01 to 100000.";
    QTest::newRow("range with an exponent")
        << "range"
        << "1e-3" << false << "Value must lie with the range 0.01 to 100000.";
    QTest::newRow("step not a number")
        << "rangeStep"
        << "." << true << "Value must lie with the range 0.01 to 10.";
    QTest::newRow("width in words")
        << "lineWidth"
        << "wide" << false << "Value must lie with the range 0.01 to 10.";
    QTest::newRow("% change emptied") << "heightChange"
                                      << "" << true << "Value must lie with the range 1 to 100.";
}

// The field may sit on the other page when OK is pressed: the dialog turns to it.
void GraphOptionsDialogTest::refusedNumberKeepsTheDialogOpen()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, typed);
    QFETCH(QString, message);
    TGraphOptionsDialog dialog(nullptr, Changed(), kLabels);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* edit = Find<QLineEdit>(dialog, field);
    if (typed) {
        Retype(edit, text);
    } else {
        edit->setText(text);
    }
    QCOMPARE(edit->text(), text);
    auto* pages = Find<QTabWidget>(dialog, "");
    pages->setCurrentIndex(1);

    QCOMPARE(ClickOk(dialog).Caption(), "Spekla: " + message);
    QVERIFY(dialog.isVisible());
    QCOMPARE(pages->currentIndex(), 0);
    QCOMPARE(dialog.focusWidget(), edit);
    QCOMPARE(edit->selectedText(), text);

    Retype(edit, "10");
    QCOMPARE(ClickOk(dialog).Caption(), "");
    QCOMPARE(dialog.result(), QDialog::Accepted);
    GraphSettings expected = Changed();
    SettingOf(expected, field) = field == "heightChange" ? 1.1 : 10.0;
    QCOMPARE(Differences(dialog.Settings(), expected), "");
}

void GraphOptionsDialogTest::valueOutsideAFieldShowsItsLimit_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("applied");
    QTest::newRow("range too wide") << "range" << 200000.0 << "100000" << 100000.0;
    QTest::newRow("step too large") << "rangeStep" << 25.0 << "10" << 10.0;
    QTest::newRow("width with an exponent") << "lineWidth" << 1e-5 << "0.01" << 0.01;
    QTest::newRow("height too low") << "height" << 5.0 << "10" << 10.0;
    QTest::newRow("factor too large") << "heightChange" << 3.0 << "100" << 2.0;
    QTest::newRow("factor too small") << "heightChange" << 1.001 << "1" << 1.01;
}

void GraphOptionsDialogTest::valueOutsideAFieldShowsItsLimit()
{
    QFETCH(QString, field);
    QFETCH(double, value);
    QFETCH(QString, shown);
    QFETCH(double, applied);
    GraphSettings settings;
    SettingOf(settings, field) = value;
    TGraphOptionsDialog dialog(nullptr, settings, kLabels);
    auto* edit = Find<QLineEdit>(dialog, field);
    QCOMPARE(edit->text(), shown);
    QVERIFY(edit->hasAcceptableInput());
    dialog.show();
    QCOMPARE(ClickOk(dialog).Caption(), "");
    QCOMPARE(dialog.result(), QDialog::Accepted);
    GraphSettings expected;
    SettingOf(expected, field) = applied;
    QCOMPARE(Differences(dialog.Settings(), expected), "");
}

void GraphOptionsDialogTest::elementsBoxEnablesTenControls_data()
{
    QTest::addColumn<bool>("useElementColours");
    QTest::newRow("checked") << true;
    QTest::newRow("not checked") << false;
}

void GraphOptionsDialogTest::elementsBoxEnablesTenControls()
{
    QFETCH(bool, useElementColours);
    GraphSettings settings;
    settings.useElementColours = useElementColours;
    TGraphOptionsDialog dialog(nullptr, settings, kLabels);
    dialog.show();
    Find<QTabWidget>(dialog, "")->setCurrentIndex(1);
    QList<QWidget*> controls;
    for (int i = 0; i < 5; ++i) {
        controls << Find<TColourButton>(dialog, QString("element%1").arg(i))
                 << Find<QLineEdit>(dialog, QString("elementName%1").arg(i));
    }
    for (bool enabled : {useElementColours, !useElementColours, useElementColours}) {
        for (QWidget* control : controls) {
            QVERIFY2(control->isEnabled() == enabled, qPrintable(control->objectName()));
        }
        QTest::mouseClick(Find<QCheckBox>(dialog, "useElementColours"), Qt::LeftButton);
    }
    QCOMPARE(dialog.Settings().useElementColours, !useElementColours);
    QVERIFY(Find<TColourButton>(dialog, "summation")->isEnabled());  // only those ten
}

void GraphOptionsDialogTest::elementNamesAreFourLetters_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("keys");  // empty: left as shown
    QTest::addColumn<QString>("expected");
    QTest::newRow("long name cut") << "Abcdef"
                                   << ""
                                   << "Abcd";
    QTest::newRow("four typed of six") << "Fe"
                                       << "Qwerty"
                                       << "Qwer";
    QTest::newRow("letters only") << "Fe"
                                  << "C2u-"
                                  << "Cu";
}

void GraphOptionsDialogTest::elementNamesAreFourLetters()
{
    QFETCH(QString, stored);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    GraphSettings settings;
    settings.useElementColours = true;
    settings.elementNames[3] = stored.toStdString();
    TGraphOptionsDialog dialog(nullptr, settings, kLabels);
    auto* name = Find<QLineEdit>(dialog, "elementName3");
    if (!keys.isEmpty()) {
        Retype(name, keys);
    }
    QCOMPARE(name->text(), expected);
    dialog.show();
    QCOMPARE(ClickOk(dialog).Caption(), "");
    QCOMPARE(dialog.Settings().elementNames[3], expected.toStdString());
}

void GraphOptionsDialogTest::sourceListEditsTableColours_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("row");  // -1: none selected
    QTest::addColumn<bool>("chosen");
    QTest::addColumn<int>("changedRow");  // -1: none
    QTest::newRow("button on the selected table") << "click" << 2 << true << 2;
    QTest::newRow("double click on a table") << "double click" << 1 << true << 1;
    QTest::newRow("cancelled") << "click" << 1 << false << -1;
    QTest::newRow("no table selected") << "click" << -1 << true << -1;
}

void GraphOptionsDialogTest::sourceListEditsTableColours()
{
    QFETCH(QString, action);
    QFETCH(int, row);
    QFETCH(bool, chosen);
    QFETCH(int, changedRow);
    const QColor picked(200, 100, 50);
    ChooserStub chooser({chosen ? std::optional<QColor>(picked) : std::nullopt});
    const GraphSettings settings = Changed();
    TGraphOptionsDialog dialog(nullptr, settings, kLabels);
    dialog.show();
    Find<QTabWidget>(dialog, "")->setCurrentIndex(1);
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* tables = Find<QListWidget>(dialog, "tables");
    auto* button = Find<TColourButton>(dialog, "tableColour");
    QCOMPARE(tables->count(), 3);
    QCOMPARE(tables->item(1)->text(), "Kurucz");
    QCOMPARE(button->Colour(), ToQColor(settings.TableColour(0)));  // the first is selected

    tables->setCurrentRow(row);
    if (row < 0) {
        tables->clearSelection();
        QVERIFY(!button->isEnabled());
    } else {
        QCOMPARE(button->Colour(), ToQColor(settings.TableColour(static_cast<std::size_t>(row))));
    }
    if (action == "click") {
        QTest::mouseClick(button, Qt::LeftButton);
    } else {
        const QRect item = tables->visualItemRect(tables->item(row));
        // The view takes a double click only on the item its press went to.
        QTest::mousePress(tables->viewport(), Qt::LeftButton, {}, item.center());
        QTest::mouseDClick(tables->viewport(), Qt::LeftButton, {}, item.center());
    }

    QCOMPARE(chooser.Openings().size(), std::size_t{row < 0 ? 0u : 1u});
    GraphSettings expected = settings;
    if (changedRow >= 0) {
        expected.SetTableColour(static_cast<std::size_t>(changedRow), {200, 100, 50});
        QCOMPARE(button->Colour(), picked);
    }
    QCOMPARE(Differences(dialog.Settings(), expected), "");
}

SPEKLA_QTEST(GraphOptionsDialogTest);

#include "GraphOptionsDialogTest.moc"
