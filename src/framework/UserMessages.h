#pragma once

// Message numbers of the notifications between the frame, the workspace and the panes, and the
// numbers of the typed commands. They keep the values of the window messages they stand for
// (counted from WM_USER) so that stored help contexts and status hints stay aligned.

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

// Typed commands: the keyword table resolves a word to one of these; 0 ends the program.
constexpr int CMD_QUIT = 0;
constexpr int CMD_SUMMATION = WM_USER + 100;  // 1124
constexpr int CMD_RATIOS = WM_USER + 101;
constexpr int CMD_RANGE = WM_USER + 102;
constexpr int CMD_HEIGHT = WM_USER + 103;
constexpr int CMD_SOURCE = WM_USER + 104;
constexpr int CMD_CLEAR = WM_USER + 105;
constexpr int CMD_LOAD = WM_USER + 106;
constexpr int CMD_SAVE = WM_USER + 107;
constexpr int CMD_MINIMUM = WM_USER + 108;
constexpr int CMD_ALL = WM_USER + 109;
constexpr int CMD_PRINT = WM_USER + 110;
constexpr int CMD_ONLY = WM_USER + 111;
constexpr int CMD_ELEMENTS = WM_USER + 112;  // also every element symbol
constexpr int CMD_ADD = WM_USER + 113;
constexpr int CMD_REMOVE = WM_USER + 114;
constexpr int CMD_OVERLAY = WM_USER + 115;
constexpr int CMD_SHOW = WM_USER + 116;
constexpr int CMD_HIDE = WM_USER + 117;
constexpr int CMD_ORDERS = WM_USER + 118;
constexpr int CMD_DECIMALS = WM_USER + 119;
constexpr int CMD_DOWN = WM_USER + 120;
constexpr int CMD_UP = WM_USER + 121;
constexpr int CMD_VACUUM = WM_USER + 122;
constexpr int CMD_WAVENUMBER = WM_USER + 123;
constexpr int CMD_AIR = WM_USER + 124;
constexpr int CMD_GOTO = WM_USER + 125;
constexpr int CMD_PERIODIC = WM_USER + 126;
constexpr int CMD_ALPHABETICAL = WM_USER + 127;
constexpr int CMD_ATOMIC = WM_USER + 128;
constexpr int CMD_EXPORT = WM_USER + 129;
constexpr int CMD_ABOUT = WM_USER + 130;
constexpr int CMD_QUESTION = WM_USER + 131;  // "?"
constexpr int CMD_HELP = WM_USER + 132;
constexpr int CMD_LINEAR = WM_USER + 133;
constexpr int CMD_ION = WM_USER + 134;
constexpr int CMD_SCAN = WM_USER + 135;  // 1159

constexpr int CMD_FIRST = CMD_SUMMATION;
constexpr int CMD_LAST = CMD_SCAN;
