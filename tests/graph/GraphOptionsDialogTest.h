#pragma once

#include <QObject>

// TGraphOptionsDialog as a user meets it: an untouched OK gives back the settings it opened on,
// "% Change" reads and writes the height factor, refused numbers keep the dialog open, values
// outside a field's range show at its limit, the element controls follow "Elements" and the
// source list edits each table's colour.
class GraphOptionsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void untouchedOkGivesTheSettingsBack_data();
    void untouchedOkGivesTheSettingsBack();
    void percentChangeIsTheHeightFactor_data();
    void percentChangeIsTheHeightFactor();
    void refusedNumberKeepsTheDialogOpen_data();
    void refusedNumberKeepsTheDialogOpen();
    void valueOutsideAFieldShowsItsLimit_data();
    void valueOutsideAFieldShowsItsLimit();
    void elementsBoxEnablesTenControls_data();
    void elementsBoxEnablesTenControls();
    void elementNamesAreFourLetters_data();
    void elementNamesAreFourLetters();
    void sourceListEditsTableColours_data();
    void sourceListEditsTableColours();
};
