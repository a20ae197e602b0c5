#include "framework/TDoubleRangeValidator.h"
#include "support/QtTestSupport.h"

#include <QLocale>
#include <QObject>
#include <QTest>

// TDoubleRangeValidator: the state it gives each kind of text, whatever the locale. Which texts
// a range takes and allows is checked in DoubleRangeTest.
class DoubleRangeValidatorTest : public QObject {
    Q_OBJECT

private slots:
    void states_data();
    void states();
};

void DoubleRangeValidatorTest::states_data()
{
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QValidator::State>("state");
    const auto row = [](const char* name, double min, double max, const QString& text,
                        QValidator::State state) {
        QTest::addRow("%s", name) << min << max << text << state;
    };
    row("in range", 0, 1000, "2.5", QValidator::Acceptable);
    row("point last", 0, 1000, "3.", QValidator::Acceptable);
    row("above", 0, 1000, "1000.5", QValidator::Intermediate);
    row("empty", 0, 1000, "", QValidator::Intermediate);
    row("minus when none below 0", 0, 1000, "-1", QValidator::Invalid);
    row("decimal comma", 0, 1000, "1,5", QValidator::Invalid);
    row("non-ASCII digit", 0, 1000, QString::fromUtf8("\u0663"), QValidator::Invalid);
}

void DoubleRangeValidatorTest::states()
{
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(QString, text);
    QFETCH(QValidator::State, state);
    TDoubleRangeValidator validator(DoubleRange(min, max));
    // A German desktop must change nothing: the program reads numbers with a point only.
    const QLocale german(QLocale::German, QLocale::Germany);
    for (const QLocale& locale : {QLocale::c(), german}) {
        QLocale::setDefault(locale);
        validator.setLocale(locale);
        QString input = text;
        int pos = int(input.size());
        const QValidator::State result = validator.validate(input, pos);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(result, state);
        QCOMPARE(input, text);
    }
}

SPEKLA_QTEST(DoubleRangeValidatorTest);

#include "DoubleRangeValidatorTest.moc"
