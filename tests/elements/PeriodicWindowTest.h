#pragma once

#include <QObject>

class PeriodicWindowTest : public QObject {
    Q_OBJECT

private slots:
    void ClickTogglesOneElement();
    void ControlClickSelectsThatElementAlone();
    void PressReleasedElsewhereChangesNothing();
    void DoubleClickTogglesOnce();
    void LayoutComesBackAfterARestart();
    void SelectionChangedElsewhereShows();
};
