#include "AboutBoxTest.h"
#include "ExportDialogTest.h"
#include "ProgramRunTest.h"

#include <QApplication>
#include <QTest>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    AboutBoxTest aboutBox;
    ExportDialogTest exportDialog;
    ProgramRunTest programRun;
    int failures = QTest::qExec(&aboutBox, argc, argv);
    failures += QTest::qExec(&exportDialog, argc, argv);
    failures += QTest::qExec(&programRun, argc, argv);
    return failures == 0 ? 0 : 1;
}
