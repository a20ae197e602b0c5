#include "CommandLineBoxTest.h"

#include <QApplication>
#include <QTest>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    CommandLineBoxTest commandLineBox;
    return QTest::qExec(&commandLineBox, argc, argv) == 0 ? 0 : 1;
}
