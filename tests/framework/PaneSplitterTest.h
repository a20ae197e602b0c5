#pragma once

#include <QObject>

// Widget tests of PaneSplitter: what a user sees of the panes' places and sizes after the
// workspace's split, swap and remove sequences. Needs a QApplication (offscreen is enough).
class PaneSplitterTest : public QObject {
    Q_OBJECT

private slots:
    void splitPlacesNewPaneBelowOrRight_data();
    void splitPlacesNewPaneBelowOrRight();
    void splitKeepsSizesTheUserSet();
    void arrangements_data();
    void arrangements();
    void removeGivesSpaceToNeighbours_data();
    void removeGivesSpaceToNeighbours();
    void removeDeletesAtOnce();
    void emptyAndRefilled();
    void swapExchangesPlacesAndSizes_data();
    void swapExchangesPlacesAndSizes();
    void forEachPaneToleratesRemoval();
    void strangersAreNotPanes();
    void panesCannotBeDraggedToNothing();
    void focusSurvivesRearranging();
};
