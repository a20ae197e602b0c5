#pragma once

#include <QObject>

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
