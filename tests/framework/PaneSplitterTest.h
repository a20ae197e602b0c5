#pragma once

#include <QObject>

// Widget tests of PaneSplitter: what a user sees of the panes' places and sizes after the
// workspace's split, swap and remove sequences. Needs a QApplication (offscreen is enough).
class PaneSplitterTest : public QObject {
    Q_OBJECT

private slots:
    void arrangements_data();
    void arrangements();
    void splitKeepsSizesTheUserSet();
    void removeAndReplaceDeleteAtOnce();
    void forEachPaneToleratesRemoval();
    void strangersAreNotPanes();
    void panesCannotBeDraggedToNothing();
    void focusSurvivesRearranging();
    void proportionsComeBackOnTheSameShape();
};
