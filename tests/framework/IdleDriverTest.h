#pragma once

#include <QObject>

class IdleDriverTest : public QObject {
    Q_OBJECT

private slots:
    void RunsClientsUntilNoWorkIsLeft();
    void WakeRestartsAStoppedDriver();
    void WorkAddedWhileRunningIsPickedUp();
};
