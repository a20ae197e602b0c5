#include "GraphWindowTest.h"

#include <QApplication>
#include <QTest>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    GraphWindowTest graphWindow;
    return QTest::qExec(&graphWindow, argc, argv) == 0 ? 0 : 1;
}
