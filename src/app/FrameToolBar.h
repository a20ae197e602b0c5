#pragma once

#include <QToolBar>

class ActionTable;

// The frame's tool bar: element files, line and page moves, the summation and ratio toggles,
// Go to wavelength and the help contents. Its buttons are the menu's actions, so they are
// enabled and pressed exactly as the menu items are checked.
class FrameToolBar : public QToolBar {
    Q_OBJECT

public:
    // Gives each action on the bar its icon (also seen in the menus): the desktop theme's where
    // one fits, else our own.
    FrameToolBar(ActionTable& actions, QWidget* parent);
};
