#include "command/CommandList.h"
#include "command/CommandNumbers.h"
#include "command/TComboEdit.h"
#include "command/TLineEdit.h"
#include "database/TextTables.h"
#include "support/QtTestSupport.h"

#include <QObject>
#include <QSignalSpy>
#include <QTest>

class CommandLineBoxTest : public QObject {
    Q_OBJECT

private slots:
    void EnteredLinesBecomeCommands();
};

namespace {

// A box with the keywords of a small element table, typed into as a user would.
struct Box {
    Box()
    {
        TextTables tables;
        for (const char* symbol : {"H", "Fe", "Cu"}) {
            tables.ElementTable.emplace_back(0, 0, 0, 0, 0, symbol, 1.0);
        }
        combo.SetKeywords(CommandList::ForElements(tables));
        combo.show();
    }

    void Type(const QString& line)
    {
        QTest::keyClicks(combo.LineEdit(), line);
        QTest::keyClick(combo.LineEdit(), Qt::Key_Return);
    }

    QStringList History() const
    {
        QStringList items;
        for (int i = 0; i < combo.count(); ++i) {
            items << combo.itemText(i);
        }
        return items;
    }

    TComboEdit combo;
    QSignalSpy entered{combo.LineEdit(), &TLineEdit::CommandEntered};
    QSignalSpy quit{combo.LineEdit(), &TLineEdit::QuitRequested};
};

}  // namespace

// How lines resolve is CommandLineParserTest's; here the box hands on what it resolved, with the
// element symbols it was given, and remembers new lines as typed, newest first, but not one that
// an entry begins with. A blank line does nothing, an unknown word stays selected for
// correction, a quit word quits: none of these is remembered.
void CommandLineBoxTest::EnteredLinesBecomeCommands()
{
    Box box;
    for (const char* line :
         {"fe cu", "sum only", "goto 4000", "goto 4000", "GOTO 400", "goto 4000 1"}) {
        box.Type(line);
    }
    QCOMPARE(box.entered.count(), 6);
    QCOMPARE(box.entered.at(0), (QVariantList{CMD_ELEMENTS, "FE", "FE CU"}));
    QCOMPARE(box.entered.at(1), (QVariantList{CMD_SUMMATION, "SUMMATION", "ONLY"}));
    QVERIFY(box.combo.LineEdit()->text().isEmpty());
    const QStringList history{"goto 4000 1", "goto 4000", "sum only", "fe cu"};
    QCOMPARE(box.History(), history);

    box.Type("xyz");
    QCOMPARE(box.combo.LineEdit()->selectedText(), QString("xyz"));
    for (const char* line : {"   ", "quit"}) {
        box.combo.LineEdit()->clear();
        box.Type(line);
    }
    QCOMPARE(box.quit.count(), 1);
    QCOMPARE(box.entered.count(), 6);
    QCOMPARE(box.History(), history);

    // A pasted line over the limit is kept whole, and refused whole when entered.
    const QString pasted = "export " + QString(300, 'a');
    box.combo.LineEdit()->setText(pasted);
    const SeenBox refusal =
        AnswerNextMessageBox([&] { QTest::keyClick(box.combo.LineEdit(), Qt::Key_Return); });
    QVERIFY(refusal.text.contains("at most 255 characters"));
    QCOMPARE(box.combo.LineEdit()->text(), pasted);
    QCOMPARE(box.entered.count(), 6);
}

SPEKLA_QTEST(CommandLineBoxTest);

#include "CommandLineBoxTest.moc"
