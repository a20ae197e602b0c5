#include "ColourButtonTest.h"
#include "GraphOptionsDialogTest.h"
#include "GraphWindowTest.h"

#include <QApplication>
#include <QTest>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    GraphWindowTest graphWindow;
    ColourButtonTest colourButton;
    GraphOptionsDialogTest optionsDialog;
    int failures = QTest::qExec(&graphWindow, argc, argv);
    failures += QTest::qExec(&colourButton, argc, argv);
    failures += QTest::qExec(&optionsDialog, argc, argv);
    return failures == 0 ? 0 : 1;
}
