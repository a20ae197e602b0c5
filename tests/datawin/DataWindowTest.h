#pragma once

#include <QObject>

class DataWindowTest : public QObject {
    Q_OBJECT

private slots:
    void GroupsOfThreeSourcesShareOneMarkedRow();
    void IntensityShowsInAColumnNarrowerThanTheDescriptions();
    void AnEmptyListPaintsNothingBelowTheHeader();
    void GrowthOutsideTheScreenPaintsNothing();
    void ColumnsAndFontComeBackAfterARestart();
    void ColumnsFollowTheActiveSources();
    void TitleFollowsUnitsAndDecimals();
    void ScrollingMatchesAFullPaint();
    void FittingToAFontSizesShortTitlesByTheSample();
};
