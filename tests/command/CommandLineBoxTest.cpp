#include "command/CommandList.h"
#include "command/CommandNumbers.h"
#include "command/TComboEdit.h"
#include "command/TLineEdit.h"
#include "database/TextTables.h"
#include "support/QtTestSupport.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QObject>
#include <QSignalSpy>
#include <QTest>

class CommandLineBoxTest : public QObject {
    Q_OBJECT

private slots:
    void EnteredLinesBecomeCommands();
    void WindowShortcutsWinOverEditingKeys();
    void ClassicEditKeysActOnTheLine();
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
        const CommandList keywords = CommandList::ForElements(tables);
        for (const Command& command : keywords.Entries()) {
            combo.AddCommand(command);
        }
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
}

// A window's enabled shortcut wins over the box's own use of the keys; others still edit.
void CommandLineBoxTest::WindowShortcutsWinOverEditingKeys()
{
    QWidget window;
    auto* combo = new TComboEdit(&window);
    QAction selectAll("Select All");
    selectAll.setShortcut(QKeySequence("Ctrl+A"));
    window.addAction(&selectAll);
    QSignalSpy triggered(&selectAll, &QAction::triggered);
    combo->LineEdit()->SetShortcutFilter([&](const QKeySequence& keys) {
        return selectAll.isEnabled() && keys == selectAll.shortcut();
    });
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    combo->LineEdit()->setFocus();
    QTest::keyClicks(combo->LineEdit(), "abc");
    QTest::keyClick(combo->LineEdit(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(triggered.count(), 1);
    QVERIFY(combo->LineEdit()->selectedText().isEmpty());
    selectAll.setEnabled(false);
    QTest::keyClick(combo->LineEdit(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(triggered.count(), 1);
    QCOMPARE(combo->LineEdit()->selectedText(), QString("abc"));
}

// Shift+Del, Ctrl+Ins and Shift+Ins cut, copy and paste; Ctrl+Del clears the selection and
// Alt+Backspace undoes.
void CommandLineBoxTest::ClassicEditKeysActOnTheLine()
{
    Box box;
    QLineEdit* line = box.combo.LineEdit();
    QTest::keyClicks(line, "fe cu");
    line->selectAll();
    QTest::keyClick(line, Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("fe cu"));
    QTest::keyClick(line, Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(line->text(), QString());
    QTest::keyClick(line, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(line->text(), QString("fe cu"));
    line->setSelection(0, 3);
    QTest::keyClick(line, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(line->text(), QString("cu"));
    QTest::keyClick(line, Qt::Key_Backspace, Qt::AltModifier);
    QCOMPARE(line->text(), QString("fe cu"));
}

SPEKLA_QTEST(CommandLineBoxTest);

#include "CommandLineBoxTest.moc"
