#include "ExportCommandTest.h"
#include "PaneToggleTest.h"
#include "WorkspaceCommandsTest.h"

#include <QApplication>
#include <QTest>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    PaneToggleTest paneToggle;
    WorkspaceCommandsTest commands;
    ExportCommandTest exportCommand;
    int failures = QTest::qExec(&paneToggle, argc, argv);
    failures += QTest::qExec(&commands, argc, argv);
    failures += QTest::qExec(&exportCommand, argc, argv);
    return failures == 0 ? 0 : 1;
}
