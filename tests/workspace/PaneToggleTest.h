#pragma once

#include <QObject>

class PaneToggleTest : public QObject {
    Q_OBJECT

private slots:
    void ArrangementFollowsTheOrderShown_data();
    void ArrangementFollowsTheOrderShown();
    void ShowingTheGraphBelowBothMakesANewDataPane();
    void HidingEveryPaneLeavesRoomForTheNext();
    void ShownPanesAreSavedAndRestored();
};
