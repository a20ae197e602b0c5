#pragma once

#include <QObject>

// TValenceDialog: which box stands for which flag, the flags it never shows, All and None.
class ValenceDialogTest : public QObject {
    Q_OBJECT

private slots:
    void boxMapsToItsFlag_data();
    void boxMapsToItsFlag();
    void allAndNoneKeepHiddenFlags_data();
    void allAndNoneKeepHiddenFlags();
};
