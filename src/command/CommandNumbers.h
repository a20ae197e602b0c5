#pragma once

// The numbers of the typed commands: the keyword table resolves a word to one of these and the
// interpreter dispatches on them (1124 to 1159: they count on from the base of the window
// messages of the platform the program came from, which stored files and scripts may hold).

constexpr int WM_USER = 0x400;

// 0 ends the program; it never reaches the interpreter.
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
constexpr int CMD_IDENTIFY = WM_USER + 136;
constexpr int CMD_PROFILE = WM_USER + 137;
constexpr int CMD_FWHM = WM_USER + 138;
constexpr int CMD_RESOLUTION = WM_USER + 139;
constexpr int CMD_VELOCITY = WM_USER + 140;
constexpr int CMD_TEMPERATURE = WM_USER + 141;
constexpr int CMD_DENSITY = WM_USER + 142;

constexpr int CMD_FIRST = CMD_SUMMATION;
constexpr int CMD_LAST = CMD_DENSITY;
