#include "framework/IdleDriver.h"
#include "support/QtTestSupport.h"

#include <array>
#include <memory>

#include <QObject>
#include <QTest>

class IdleDriverTest : public QObject {
    Q_OBJECT

private slots:
    void RunsClientsUntilNoWorkIsLeft();
    void WakeRestartsAStoppedDriver();
    void WorkAddedWhileRunningIsPickedUp();
    void WakeDuringATurnIsNotLost();
    void RemovedClientNeverRunsAgain();
    void RemovalDuringATurn_data();
    void RemovalDuringATurn();
    void OwnerDestructionRemovesTheClient_data();
    void OwnerDestructionRemovesTheClient();
};

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

void IdleDriverTest::WakeDuringATurnIsNotLost()
{
    IdleDriver driver;
    int pending = 0;
    int done = 0;
    bool handedOver = false;
    driver.AddClient([&](auto) {
        done += pending;
        pending = 0;
        return false;
    });
    // Runs after the first client in the same turn and gives it work it has already missed.
    driver.AddClient([&](auto) {
        if (!handedOver) {
            handedOver = true;
            pending = 1;
            driver.Wake();
        }
        return false;
    });
    QTRY_VERIFY(!driver.IsRunning());
    QCOMPARE(done, 1);
}

void IdleDriverTest::RemovedClientNeverRunsAgain()
{
    IdleDriver driver;
    int removedTurns = 0;
    int keptTurns = 0;
    const IdleDriver::ClientId removed = driver.AddClient([&](auto) {
        ++removedTurns;
        return true;
    });
    const IdleDriver::ClientId kept = driver.AddClient([&](auto) { return ++keptTurns < 3; });
    QVERIFY(removed != 0);
    QVERIFY(kept != removed);
    driver.RemoveClient(removed);
    driver.RemoveClient(removed);  // twice, and an id never given, change nothing
    driver.RemoveClient(0);
    QTRY_VERIFY(!driver.IsRunning());
    QCOMPARE(removedTurns, 0);
    QCOMPARE(keptTurns, 3);
}

void IdleDriverTest::RemovalDuringATurn_data()
{
    QTest::addColumn<int>("remover");
    QTest::addColumn<int>("removed");
    QTest::addColumn<int>("turnsOfRemoved");
    QTest::newRow("itself") << 1 << 1 << 1;
    QTest::newRow("a client later in the turn") << 0 << 2 << 0;
    QTest::newRow("a client earlier in the turn") << 2 << 0 << 1;
}

// Three clients with five turns of work each; on its first turn one client removes one.
void IdleDriverTest::RemovalDuringATurn()
{
    QFETCH(int, remover);
    QFETCH(int, removed);
    QFETCH(int, turnsOfRemoved);
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
    QTRY_VERIFY(!driver.IsRunning());
    for (int k = 0; k < 3; ++k) {
        QCOMPARE(turns[k], k == removed ? turnsOfRemoved : 5);
    }
}

void IdleDriverTest::OwnerDestructionRemovesTheClient_data()
{
    QTest::addColumn<bool>("insideItsStep");
    QTest::addColumn<int>("expectedTurns");
    QTest::newRow("between turns") << false << 0;
    QTest::newRow("inside its own step") << true << 1;
}

// The client always has work, so the driver stops only once it is gone.
void IdleDriverTest::OwnerDestructionRemovesTheClient()
{
    QFETCH(bool, insideItsStep);
    QFETCH(int, expectedTurns);
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
    QCOMPARE(turns, expectedTurns);
}

SPEKLA_QTEST(IdleDriverTest);

#include "IdleDriverTest.moc"
