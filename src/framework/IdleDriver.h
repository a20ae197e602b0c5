#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include <QMetaObject>
#include <QObject>
#include <QTimer>

// Runs background work while the user interface has nothing else to do: each client is a step
// function that does a batch of work bounded in time and says whether more remains. The driver
// runs the clients from a zero-interval timer, so input and painting go first, and stops when
// no client has work, so an idle program uses no processor time. Anything that creates work
// calls Wake().
class IdleDriver : public QObject {
    Q_OBJECT

public:
    // The time one client may take per turn: short enough to keep the window responsive.
    static constexpr std::chrono::microseconds kBatch{4000};

    using Step = std::function<bool(std::chrono::microseconds budget)>;
    using ClientId = uint64_t;  // never 0, never reused

    explicit IdleDriver(QObject* parent = nullptr);
    ~IdleDriver() override;

    ClientId AddClient(Step step);
    // A client that is removed when `owner` is destroyed.
    ClientId AddClient(QObject* owner, Step step);
    // The client never runs again, even when removed during a turn. Unknown ids are ignored.
    void RemoveClient(ClientId id);
    void Wake();
    // Runs every client once, as each timer tick does; also callable to finish work at once.
    void RunTurn();
    bool IsRunning() const { return m_timer.isActive(); }

private:
    struct Client {
        ClientId id = 0;
        Step step;
        QMetaObject::Connection ownerWatch;
        bool removed = false;
    };

    void DropRemoved();

    QTimer m_timer;
    // Held by pointer: a step may add clients while it runs, and must not be moved meanwhile.
    std::vector<std::unique_ptr<Client>> m_clients;
    ClientId m_lastId = 0;
    int m_runDepth = 0;  // RunTurn calls in progress (a step may run an event loop)
    bool m_wokenDuringRun = false;
};
