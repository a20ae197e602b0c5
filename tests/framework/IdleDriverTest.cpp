#include "framework/IdleDriver.h"
#include "support/QtTestSupport.h"

#include <array>
#include <memory>
#include <utility>

#include <QObject>
#include <QTest>

class IdleDriverTest : public QObject {
    Q_OBJECT

private slots:
    void RunsClientsUntilNoWorkIsLeft();
    void WakeRestartsAStoppedDriver();
    void WorkAddedDuringATurnIsNotLost();
    void RemovedClientNeverRunsAgain();
    void RemovalDuringATurn_data();
    void RemovalDuringATurn();
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
    driver.AddClient([&](auto) { return ++turns, --pending > 0; });
    QTRY_VERIFY(!driver.IsRunning());
    const int before = turns;
    pending = 1;
    driver.Wake();
    QVERIFY(driver.IsRunning());
    QTRY_VERIFY(!driver.IsRunning());
    QCOMPARE(turns, before + 1);
}

// Work a client takes on during its own turn, and work one client hands another that has
// already run in this turn, both still get done.
void IdleDriverTest::WorkAddedDuringATurnIsNotLost()
{
    IdleDriver driver;
    int pending = 1;
    int done = 0;
    driver.AddClient([&](auto) {
        if (pending == 0) {
            return false;
        }
        --pending;
        pending += ++done == 1 ? 2 : 0;
        return pending > 0;
    });
    QTRY_VERIFY(!driver.IsRunning());
    QCOMPARE(done, 3);

    IdleDriver handing;
    int handed = 0;
    int received = 0;
    handing.AddClient([&](auto) { return received += std::exchange(handed, 0), false; });
    handing.AddClient([&](auto) {
        if (received == 0 && handed == 0) {
            handed = 1;
            handing.Wake();
        }
        return false;
    });
    QTRY_VERIFY(!handing.IsRunning());
    QCOMPARE(received, 1);
}

void IdleDriverTest::RemovedClientNeverRunsAgain()
{
    IdleDriver driver;
    int removedTurns = 0;
    int keptTurns = 0;
    const auto removed = driver.AddClient([&](auto) { return ++removedTurns, true; });
    const auto kept = driver.AddClient([&](auto) { return ++keptTurns < 3; });
    QVERIFY(removed != 0 && kept != removed);
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

// The client always has work, so the driver stops only once it is gone: its owner destroyed
// between turns, or inside the client's own step.
void IdleDriverTest::OwnerDestructionRemovesTheClient()
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
