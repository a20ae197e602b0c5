#pragma once

// Message numbers of the notifications between the frame, the workspace and the panes. They keep
// the values of the window messages they stand for (counted from WM_USER), and the typed
// commands (command/CommandNumbers.h) count on from the same base.

constexpr int WM_USER = 0x400;

// Posted to the main window (the frame) or forwarded by it to the workspace.
constexpr int WM_ELEMENTSCHANGED = WM_USER + 1;  // selection or element data changed
constexpr int WM_LINEARSTATE = WM_USER + 4;      // first: linear flag; show minimum intensity
constexpr int WM_MOVEUP = WM_USER + 5;           // first: n lines
constexpr int WM_MOVEDOWN = WM_USER + 6;         // first: n lines
constexpr int WM_STATUSTEXT = WM_USER + 7;       // second: text for the message bar
constexpr int WM_GADGETTEXT = WM_USER + 8;       // first: gadget index, second: text
constexpr int WM_RATIOSSTATE = WM_USER + 9;      // first: ratios flag
constexpr int WM_SUMMATIONSTATE = WM_USER + 10;  // first: summation mode
constexpr int WM_GRAPHOPTIONS = WM_USER + 11;    // open the graph options
constexpr int WM_PRINTREQUEST = WM_USER + 12;    // print as the Print menu command does

// Received by the workspace from the panes and the idle driver.
constexpr int WM_SOURCELABELCHANGED = WM_USER + 13;  // first: source index; renew its menu text
constexpr int WM_LINECOUNT = WM_USER + 14;           // second: the display list's new count
constexpr int WM_SCROLLMOVE = WM_USER + 15;          // first: nonzero = down, second: n lines
constexpr int WM_REPAINTGRAPH = WM_USER + 16;
constexpr int WM_REPAINTDATA = WM_USER + 17;
constexpr int WM_REPAINTELEMENTS = WM_USER + 18;
