#include "framework/IdleDriver.h"

IdleDriver::IdleDriver(QObject* parent) : QObject(parent)
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &IdleDriver::RunClients);
}

void IdleDriver::AddClient(Step step)
{
    m_clients.push_back(std::move(step));
    Wake();
}

void IdleDriver::Wake()
{
    if (!m_timer.isActive()) {
        m_timer.start();
    }
}

void IdleDriver::RunClients()
{
    bool workLeft = false;
    for (const Step& step : m_clients) {
        workLeft = step(kBatch) || workLeft;
    }
    if (!workLeft) {
        m_timer.stop();
    }
}
