#include "DataWindowTest.h"
#include "SourceInfoTest.h"

#include <QApplication>
#include <QTest>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    SourceInfoTest sourceInfo;
    DataWindowTest dataWindow;
    int failures = QTest::qExec(&sourceInfo, argc, argv);
    failures += QTest::qExec(&dataWindow, argc, argv);
    return failures == 0 ? 0 : 1;
}
