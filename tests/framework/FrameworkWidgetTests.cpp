#include "DoubleRangeValidatorTest.h"
#include "HelpFileManagerTest.h"
#include "HelpPagesTest.h"
#include "HelpWindowTest.h"
#include "IdleDriverTest.h"
#include "InputDialogTest.h"
#include "PaneSplitterTest.h"

#include <QApplication>
#include <QTest>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    int failures = 0;
    IdleDriverTest idleDriver;
    failures += QTest::qExec(&idleDriver, argc, argv);
    PaneSplitterTest paneSplitter;
    failures += QTest::qExec(&paneSplitter, argc, argv);
    DoubleRangeValidatorTest validator;
    failures += QTest::qExec(&validator, argc, argv);
    InputDialogTest inputDialog;
    failures += QTest::qExec(&inputDialog, argc, argv);
    HelpPagesTest helpPages;
    failures += QTest::qExec(&helpPages, argc, argv);
    HelpWindowTest helpWindow;
    failures += QTest::qExec(&helpWindow, argc, argv);
    HelpFileManagerTest helpManager;
    failures += QTest::qExec(&helpManager, argc, argv);
    return failures == 0 ? 0 : 1;
}
