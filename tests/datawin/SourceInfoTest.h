#pragma once

#include <QObject>

// TSourceInfo as a user meets it: the label and scale shown and read back, the field limits, and
// a scale out of range refused with the range's message.
class SourceInfoTest : public QObject {
    Q_OBJECT

private slots:
    void ScaleTextFitsTheField_data();
    void ScaleTextFitsTheField();
    void roundTrip_data();
    void roundTrip();
    void typing_data();
    void typing();
    void scaleOutOfRangeKeepsTheDialogOpen();
};
