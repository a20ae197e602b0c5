#pragma once

#include <QObject>

// TColourButton: choosing a colour or cancelling, clicks the owner keeps for itself, and the
// swatch it paints.
class ColourButtonTest : public QObject {
    Q_OBJECT

private slots:
    void clickChoosesOrCancels_data();
    void clickChoosesOrCancels();
    void ownerDecidesWhenClicksDoNotChoose();
    void paintsTheColourInsideItsFrame_data();
    void paintsTheColourInsideItsFrame();
};
