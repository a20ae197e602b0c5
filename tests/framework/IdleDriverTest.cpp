#include "IdleDriverTest.h"

#include "framework/IdleDriver.h"

#include <QTest>

void IdleDriverTest::RunsClientsUntilNoWorkIsLeft()
{
    IdleDriver driver;
    int first = 3;
    int second = 5;
    driver.AddClient([&](auto) { return --first > 0; });
    driver.AddClient([&](auto) { return --second > 0; });
    QVERIFY(driver.IsRunning());
    QTRY_VERIFY(!driver.IsRunning());
    // A client without work still runs while another has some; none runs after both stop.
    QCOMPARE(second, 0);
    QCOMPARE(first, -2);
    QTest::qWait(20);
    QCOMPARE(first, -2);
}

void IdleDriverTest::WakeRestartsAStoppedDriver()
{
    IdleDriver driver;
    int turns = 0;
    int pending = 2;
    driver.AddClient([&](auto) {
        ++turns;
        return --pending > 0;
    });
    QTRY_VERIFY(!driver.IsRunning());
    const int before = turns;
    pending = 1;
    driver.Wake();
    QVERIFY(driver.IsRunning());
    QTRY_VERIFY(!driver.IsRunning());
    QCOMPARE(turns, before + 1);
}

void IdleDriverTest::WorkAddedWhileRunningIsPickedUp()
{
    IdleDriver driver;
    int pending = 1;
    int done = 0;
    driver.AddClient([&](auto) {
        if (pending == 0) {
            return false;
        }
        --pending;
        ++done;
        if (done == 1) {
            pending = 2;  // more work appears during a turn
        }
        return pending > 0;
    });
    QTRY_VERIFY(!driver.IsRunning());
    QCOMPARE(done, 3);
}
