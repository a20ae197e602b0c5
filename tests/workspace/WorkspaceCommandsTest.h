#pragma once

#include <QObject>

class WorkspaceCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void DecimalsStepUpThenAlternate_data();
    void DecimalsStepUpThenAlternate();
    void InvertingEverySelectedElementIsRefused();
    void CheckMarksFollowTheState();
    void PaneCommandsAreDisabledWithoutThePane();
    void WarningsShowInAWarningBox();
    void PagingStopsAtTheEndsOfTheList();
    void GraphMenuItemsFollowTheGraph();
    void GraphOptionsReachTheGraph_data();
    void GraphOptionsReachTheGraph();
    void PanesRemovedMidWorkLeaveNothingBehind();
    void AFailedOverlayLoadKeepsTheOverlayShown();
};
