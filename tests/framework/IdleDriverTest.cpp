#include "framework/IdleDriver.h"
#include "support/QtTestSupport.h"

#include <array>
#include <memory>

#include <QObject>
#include <QTest>

class IdleDriverTest : public QObject {
    Q_OBJECT

private slots:
    void runsWhileAnyClientHasWork();
    void removedClientNeverRunsAgain();
    void ownerDestructionRemovesTheClient();
};

// Every client runs each turn while any has work; the driver stops when none has, and Wake
// restarts it.
void IdleDriverTest::runsWhileAnyClientHasWork()
{
    IdleDriver driver;
    int first = 3;
    int second = 5;
    driver.AddClient([&](auto) { return --first > 0; });
    driver.AddClient([&](auto) { return --second > 0; });
    QVERIFY(driver.IsRunning());
    QTRY_VERIFY(!driver.IsRunning());
    QCOMPARE(first, -2);
    QCOMPARE(second, 0);
    second = 2;
    driver.Wake();
    QVERIFY(driver.IsRunning());
    QTRY_VERIFY(!driver.IsRunning());
    QCOMPARE(first, -4);
}

// Three clients with five turns of work each; one is removed before the first turn (remover -1)
// or by a client on its first turn. Removing it twice, or id 0, changes nothing.
void IdleDriverTest::removedClientNeverRunsAgain()
{
    // remover, removed, turns of the removed one
    const int cases[][3] = {{-1, 1, 0}, {1, 1, 1}, {0, 2, 0}, {2, 0, 1}};
    for (const auto& [remover, removed, turnsOfRemoved] : cases) {
        IdleDriver driver;
        std::array<int, 3> turns{};
        std::array<IdleDriver::ClientId, 3> ids{};
        for (int k = 0; k < 3; ++k) {
            ids[k] = driver.AddClient([&, k](auto) {
                if (k == remover && turns[k] == 0) {
                    driver.RemoveClient(ids[removed]);
                }
                return ++turns[k] < 5;
            });
        }
        QVERIFY(ids[0] != 0 && ids[1] != ids[0]);
        if (remover < 0) {
            driver.RemoveClient(ids[removed]);
            driver.RemoveClient(ids[removed]);
            driver.RemoveClient(0);
        }
        QTRY_VERIFY(!driver.IsRunning());
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(turns[k], k == removed ? turnsOfRemoved : 5);
        }
    }
}

// The client always has work, so the driver stops only once it is gone: its owner destroyed
// between turns, or inside the client's own step.
void IdleDriverTest::ownerDestructionRemovesTheClient()
{
    for (const bool insideItsStep : {false, true}) {
        IdleDriver driver;
        auto owner = std::make_unique<QObject>();
        int turns = 0;
        driver.AddClient(owner.get(), [&](auto) {
            ++turns;
            if (insideItsStep) {
                owner.reset();
            }
            return true;
        });
        if (!insideItsStep) {
            owner.reset();
        }
        QTRY_VERIFY(!driver.IsRunning());
        QCOMPARE(turns, insideItsStep ? 1 : 0);
    }
}

SPEKLA_QTEST(IdleDriverTest);

#include "IdleDriverTest.moc"
