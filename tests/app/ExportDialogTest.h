#pragma once

#include <QObject>

class ExportDialogTest : public QObject {
    Q_OBJECT

private slots:
    void SteppedRangeKeepsTwoDigits_data();
    void SteppedRangeKeepsTwoDigits();
    void ArrowsAndKeysStepWithinTheLimits();
    void EveryControlHasAHelpTopic();
    void SettingsComeBackFromTheControls();
    void OkRefusesARangeOutsideTheLimits();
    void CancelRejects();
};
