#pragma once

#include <QObject>

// TElementDialog as a user meets it: an untouched OK hands nothing back, changed fields come
// back, a bad symbol or ratio is refused with the dialog left open, and the field limits.
class ElementDialogTest : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void badSymbolKeepsTheDialogOpen_data();
    void badSymbolKeepsTheDialogOpen();
    void ratioOutOfRangeKeepsTheDialogOpen();
    void typing_data();
    void typing();
};
