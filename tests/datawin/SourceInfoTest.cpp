#include "datawin/TSourceInfo.h"
#include "support/QtTestSupport.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QObject>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// TSourceInfo as a user meets it: the label and scale shown and read back, the field limits, and
// a scale out of range refused with the range's message.
class SourceInfoTest : public QObject {
    Q_OBJECT

private slots:
    void ScaleTextFitsTheField_data();
    void ScaleTextFitsTheField();
    void roundTrip_data();
    void roundTrip();
    void typing_data();
    void typing();
    void scaleOutOfRangeKeepsTheDialogOpen();
};

namespace {

QLineEdit* Field(TSourceInfo& dialog, const char* name)
{
    return dialog.findChild<QLineEdit*>(name);
}

}  // namespace

void SourceInfoTest::roundTrip_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<double>("scale");
    QTest::addColumn<QString>("shownLabel");
    QTest::addColumn<QString>("shownScale");
    QTest::addColumn<QString>("newLabel");
    QTest::addColumn<QString>("newScale");
    QTest::addColumn<double>("readScale");
    QTest::newRow("unit scale") << "NIST" << 1.0 << "NIST"
                                << "1.00"
                                << "Kurucz"
                                << "2.5" << 2.5;
    QTest::newRow("three digits") << "lab" << 12.345 << "lab"
                                  << "12.3"
                                  << "lab"
                                  << "1000" << 1000.0;
    QTest::newRow("small scale") << "x" << 0.5 << "x"
                                 << "0.500"
                                 << ""
                                 << "0" << 0.0;
    QTest::newRow("long label cut") << "Kurucz and Bell 1995 CD-ROM" << 1.0 << "Kurucz and Bell 199"
                                    << "1.00"
                                    << "Kurucz 1995"
                                    << ".25" << 0.25;
}

void SourceInfoTest::roundTrip()
{
    QFETCH(QString, label);
    QFETCH(double, scale);
    QFETCH(QString, shownLabel);
    QFETCH(QString, shownScale);
    QFETCH(QString, newLabel);
    QFETCH(QString, newScale);
    QFETCH(double, readScale);
    TSourceInfo dialog(nullptr, "nist.swt", label.toStdString(), scale);
    QCOMPARE(dialog.windowTitle(), "nist.swt");
    QCOMPARE(Field(dialog, "label")->text(), shownLabel);
    QCOMPARE(Field(dialog, "scale")->text(), shownScale);
    QCOMPARE(dialog.Label(), shownLabel.toStdString());

    Retype(Field(dialog, "label"), newLabel);
    Retype(Field(dialog, "scale"), newScale);
    dialog.show();
    QCOMPARE(ClickOk(dialog).Caption(), "");
    QCOMPARE(dialog.result(), QDialog::Accepted);
    QCOMPARE(dialog.Label(), newLabel.toStdString());
    QCOMPARE(dialog.Scale(), readScale);
}

void SourceInfoTest::typing_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("result");
    QTest::newRow("label limit") << "label"
                                 << "abcdefghijklmnopqrstuvwxyz"
                                 << "abcdefghijklmnopqrs";
    QTest::newRow("label takes any character") << "label"
                                               << "Fe-1e3, x"
                                               << "Fe-1e3, x";
    QTest::newRow("scale limit") << "scale"
                                 << "1.23456789012345"
                                 << "1.234567890";
    QTest::newRow("scale refuses minus") << "scale"
                                         << "-2"
                                         << "2";
    QTest::newRow("scale refuses exponent") << "scale"
                                            << "1e2"
                                            << "12";
    QTest::newRow("scale refuses decimal comma") << "scale"
                                                 << "1,5"
                                                 << "15";
    QTest::newRow("scale may be out of range") << "scale"
                                               << "5000"
                                               << "5000";
}

void SourceInfoTest::typing()
{
    QFETCH(QString, field);
    QFETCH(QString, keys);
    QFETCH(QString, result);
    TSourceInfo dialog(nullptr, "nist.swt", "NIST", 1.0);
    QLineEdit* edit = Field(dialog, field.toLatin1().constData());
    Retype(edit, keys);
    QCOMPARE(edit->text(), result);
}

void SourceInfoTest::scaleOutOfRangeKeepsTheDialogOpen()
{
    TSourceInfo dialog(nullptr, "nist.swt", "NIST", 1.0);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QLineEdit* scale = Field(dialog, "scale");
    Retype(scale, "1000.5");
    Field(dialog, "label")->setFocus();
    QCOMPARE(ClickOk(dialog).Caption(), "Spekla: Value must lie with the range 0 to 1000.");
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.focusWidget(), scale);
    QCOMPARE(scale->selectedText(), "1000.5");

    Retype(scale, "1000");
    QCOMPARE(ClickOk(dialog).Caption(), "");
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), QDialog::Accepted);
    QCOMPARE(dialog.Scale(), 1000.0);
}

void SourceInfoTest::ScaleTextFitsTheField_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<QString>("text");
    QTest::newRow("one") << 1.0 << "1.00";
    QTest::newRow("three digits") << 12.345 << "12.3";
    QTest::newRow("thousand") << 1000.0 << "1000";
    QTest::newRow("tiny") << 0.000001 << "0.000001";
    QTest::newRow("too tiny for the field") << 1e-12 << "0";
}

// Exponents cannot be typed, so none is shown; OK without a change keeps a small scale.
void SourceInfoTest::ScaleTextFitsTheField()
{
    QFETCH(double, scale);
    QFETCH(QString, text);
    const QString shown = QString::fromStdString(TSourceInfo::ScaleText(scale));
    QCOMPARE(shown, text);
    QVERIFY(shown.size() <= TSourceInfo::kScaleLength);
}

SPEKLA_QTEST(SourceInfoTest);

#include "SourceInfoTest.moc"
