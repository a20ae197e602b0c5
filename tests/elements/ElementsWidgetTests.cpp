#include "ElementDialogTest.h"
#include "PeriodicWindowTest.h"
#include "ValenceDialogTest.h"

#include <QApplication>
#include <QTest>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    ElementDialogTest elementDialog;
    ValenceDialogTest valenceDialog;
    PeriodicWindowTest periodicWindow;
    int failures = QTest::qExec(&elementDialog, argc, argv);
    failures += QTest::qExec(&periodicWindow, argc, argv);
    failures += QTest::qExec(&valenceDialog, argc, argv);
    return failures == 0 ? 0 : 1;
}
