#include "framework/IdleDriver.h"

#include <algorithm>

IdleDriver::IdleDriver(QObject* parent) : QObject(parent)
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &IdleDriver::RunTurn);
}

IdleDriver::~IdleDriver()
{
    for (const auto& client : m_clients) {
        disconnect(client->ownerWatch);
    }
}

IdleDriver::ClientId IdleDriver::AddClient(Step step)
{
    auto client = std::make_unique<Client>();
    client->id = ++m_lastId;
    client->step = std::move(step);
    m_clients.push_back(std::move(client));
    Wake();
    return m_lastId;
}

IdleDriver::ClientId IdleDriver::AddClient(QObject* owner, Step step)
{
    const ClientId id = AddClient(std::move(step));
    // The driver as context: the connection ends with it if the owner outlives it.
    m_clients.back()->ownerWatch =
        connect(owner, &QObject::destroyed, this, [this, id] { RemoveClient(id); });
    return id;
}

void IdleDriver::RemoveClient(ClientId id)
{
    const auto found = std::find_if(m_clients.begin(), m_clients.end(),
                                    [id](const auto& client) { return client->id == id; });
    if (found == m_clients.end()) {
        return;
    }
    disconnect((*found)->ownerWatch);
    (*found)->removed = true;
    // A step that is running cannot be destroyed under itself: the turn drops it at its end.
    if (m_runDepth == 0) {
        m_clients.erase(found);
    }
}

void IdleDriver::Wake()
{
    if (m_runDepth > 0) {
        m_wokenDuringRun = true;  // a client that already ran this turn may have work now
    }
    if (!m_timer.isActive()) {
        m_timer.start();
    }
}

void IdleDriver::RunTurn()
{
    ++m_runDepth;
    m_wokenDuringRun = false;
    bool workLeft = false;
    // By index: clients added during the turn run in it too, and their slots do not move.
    for (size_t i = 0; i < m_clients.size(); ++i) {
        Client& client = *m_clients[i];
        if (!client.removed) {
            workLeft = client.step(kBatch) || workLeft;
        }
    }
    --m_runDepth;
    if (m_runDepth == 0) {
        DropRemoved();
    }
    if (!workLeft && !m_wokenDuringRun) {
        m_timer.stop();
    }
}

void IdleDriver::DropRemoved()
{
    std::erase_if(m_clients, [](const auto& client) { return client->removed; });
}
