#include "ProgramRunTest.h"

#include <QApplication>
#include <QTest>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    ProgramRunTest programRun;
    return QTest::qExec(&programRun, argc, argv) == 0 ? 0 : 1;
}
