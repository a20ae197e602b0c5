#pragma once

// The command numbers of menu items, accelerators and tool-bar buttons. A number names one
// action wherever it appears; help topics and status hints are keyed by it too.

// File
constexpr int CM_LOADOVERLAY = 5164;
constexpr int CM_LOADELEMENTS = 9072;
constexpr int CM_SAVEELEMENTS = 9071;
constexpr int CM_EXPORT = 9301;
constexpr int CM_SAVEGRAPH = 9310;  // the graph as a picture
constexpr int CM_PRINT = 24337;
constexpr int CM_PRINTSETUP = 24338;
constexpr int CM_EXIT = 24310;
// Data
constexpr int CM_PREVIOUSPAGE = 9098;
constexpr int CM_PREVIOUS = 9201;
constexpr int CM_NEXT = 9200;
constexpr int CM_NEXTPAGE = 9097;
constexpr int CM_GOTOWAVELENGTH = 9074;
constexpr int CM_VACUUM = 9076;
constexpr int CM_WAVENUMBER = 9077;
constexpr int CM_AIR = 9075;
constexpr int CM_DECIMALS = 5166;
constexpr int CM_LINEAR = 9078;
constexpr int CM_MINIMUMINTENSITY = 9079;
constexpr int CM_VALENCES = 9080;
constexpr int CM_FORWARD100 = 9297;  // accelerator only: 100 display units on
constexpr int CM_BACK100 = 9298;     // accelerator only: 100 display units back
// Elements
constexpr int CM_PERIODIC = 9087;
constexpr int CM_ALPHABETICAL = 9088;
constexpr int CM_ATOMICNUMBER = 9089;
constexpr int CM_SETRATIO = 9090;
constexpr int CM_SELECTALL = 9091;
constexpr int CM_INVERTSELECTION = 9092;
// Graph
constexpr int CM_INCREASEINTENSITY = 9081;
constexpr int CM_DECREASEINTENSITY = 9082;
constexpr int CM_SUMMATION = 9083;
constexpr int CM_SUMMATIONONLY = 5163;
constexpr int CM_USERATIOS = 9086;
constexpr int CM_DISPLAYOVERLAY = 5165;
constexpr int CM_INCREASERANGE = 9084;
constexpr int CM_DECREASERANGE = 9085;
constexpr int CM_SCANONLYRANGE = 11845;
constexpr int CM_ORDER1 = 9099;  // to CM_ORDER1 + 4 for the fifth order
constexpr int CM_TREATORDERSASRATIOS = 5167;
constexpr int CM_GRAPHOPTIONS = 5162;
constexpr int CM_FITHEIGHT = 5168;
constexpr int CM_FITHEIGHTAUTOMATICALLY = 5169;
// Sources: one item per table file, for the first thousand files
constexpr int CM_SOURCE1 = 3001;
constexpr int CM_SOURCELAST = 4000;
// Window
constexpr int CM_ELEMENTWINDOW = 9094;
constexpr int CM_DATAWINDOW = 9096;
constexpr int CM_GRAPHWINDOW = 9095;
constexpr int CM_COMMANDLINE = 18875;
constexpr int CM_PEAKSWINDOW = 18876;
// Help
constexpr int CM_HELPCONTENTS = 2001;
constexpr int CM_HELPCOMMANDS = 11842;
constexpr int CM_ABOUT = 2009;
