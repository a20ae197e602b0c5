#pragma once

#include <chrono>
#include <functional>
#include <vector>

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

    explicit IdleDriver(QObject* parent = nullptr);

    void AddClient(Step step);
    void Wake();
    bool IsRunning() const { return m_timer.isActive(); }

private:
    void RunClients();

    QTimer m_timer;
    std::vector<Step> m_clients;
};
