#pragma once

#include <QObject>

class GraphWindowTest : public QObject {
    Q_OBJECT

private slots:
    void ACompletePassStopsTheIdleDriver();
    void SticksStandWhereTheirWavelengthsAre();
    void ClickingAStickChoosesItsLine();
    void AGrowingListDoesNotRestartThePass();
    void OverlayStandsOnTheFirstOrderAxis();
    void RenderingForPaperLeavesTheScreenAlone();
};
