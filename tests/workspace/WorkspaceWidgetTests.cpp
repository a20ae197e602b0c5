#include "PaneToggleTest.h"

#include <QApplication>
#include <QTest>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    PaneToggleTest paneToggle;
    return QTest::qExec(&paneToggle, argc, argv) == 0 ? 0 : 1;
}
