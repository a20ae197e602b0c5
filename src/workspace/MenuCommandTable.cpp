#include "workspace/MenuCommandTable.h"

#include "command/CommandNumbers.h"
#include "workspace/MenuCommands.h"

namespace {

constexpr MenuCommand kCommands[] = {
    {CM_LOADOVERLAY, "Load &overlay...", "", "Load measured points to lay over the graph", false},
    {CM_LOADELEMENTS, "Load e&lements...", "", "Load an element selection file", false},
    {CM_SAVEELEMENTS, "Save ele&ments...", "", "Save the element selection and ratios", false},
    {CM_EXPORT, "&Export...", "", "Write the lines and the summation curve to a text file", false},
    {CM_SAVEGRAPH, "Save &graph as...", "", "Save the graph as a PNG, SVG or PDF picture", false},
    {CM_PRINT, "&Print...", "Ctrl+P", "Print the graph, the selection and the list", false},
    {CM_PRINTSETUP, "P&rint Setup...", "", "Choose a printer and the page set-up", false},
    {CM_EXIT, "E&xit", "Alt+F4", "Quit Spekla, keeping its settings", false},
    {CM_PREVIOUSPAGE, "Previous page", "PgUp", "Move one page toward shorter wavelengths", false},
    {CM_PREVIOUS, "&Previous", "Up", "Move to the previous line", false},
    {CM_NEXT, "&Next", "Down", "Move to the next line", false},
    {CM_NEXTPAGE, "Next page", "PgDown", "Move one page toward longer wavelengths", false},
    {CM_GOTOWAVELENGTH, "&Go to wavelength...", "Ctrl+G", "Go to the line nearest a wavelength",
     false},
    {CM_VACUUM, "In &vacuum", "", "Show wavelengths in vacuum", true},
    {CM_WAVENUMBER, "&Wave number", "", "Show wave numbers in cm\u207B\u00B9", true},
    {CM_AIR, "In &air", "", "Show wavelengths in standard air", true},
    {CM_DECIMALS, "&Decimals", "Ctrl+D", "Show one decimal more, or one fewer after four", false},
    {CM_LINEAR, "&Linear", "Ctrl+L", "Show intensities on a linear scale", true},
    {CM_MINIMUMINTENSITY, "&Minimum intensity...", "", "Hide lines weaker than an intensity",
     false},
    {CM_VALENCES, "Val&ences...", "", "Choose the ionisation stages to show", false},
    {CM_FORWARD100, "Forward 100", "Ctrl+PgDown", "Go 100 units toward longer wavelengths", false},
    {CM_BACK100, "Back 100", "Ctrl+PgUp", "Go 100 units toward shorter wavelengths", false},
    {CM_PERIODIC, "&Periodic Table", "F9", "Arrange the elements as the periodic table", true},
    {CM_ALPHABETICAL, "&Alphabetical", "Shift+F9", "Arrange the elements by symbol", true},
    {CM_ATOMICNUMBER, "Atomic &Number", "Ctrl+F9", "Arrange the elements by atomic number", true},
    {CM_SETRATIO, "&Set ratio...", "", "Give every selected element an intensity ratio", false},
    {CM_SELECTALL, "S&elect All", "Ctrl+A", "Select every element", false},
    {CM_INVERTSELECTION, "&Invert selection", "",
     "Select the elements not selected, and only "
     "those",
     false},
    {CM_INCREASEINTENSITY, "Increase intensity", "Ctrl+Up", "Draw the lines lower", false},
    {CM_DECREASEINTENSITY, "Decrease intensity", "Ctrl+Down", "Draw the lines taller", false},
    {CM_FITHEIGHT, "&Fit height", "Ctrl+H", "Put the tallest line in view at 90 % of the graph",
     false},
    {CM_FITHEIGHTAUTOMATICALLY, "Fit height &automatically", "",
     "Fit the height after every move; a height set by hand ends it", true},
    {CM_SUMMATION, "&Summation", "Ctrl+S", "Show how the lines blend in a measured spectrum", true},
    {CM_SUMMATIONONLY, "Summation &only", "Ctrl+Shift+S", "Show the summation curve alone", true},
    {CM_USERATIOS, "Use &ratios", "Ctrl+R", "Multiply intensities by the element ratios", true},
    {CM_DISPLAYOVERLAY, "&Display overlay", "Ctrl+O", "Show the measured points over the graph",
     true},
    {CM_INCREASERANGE, "Increase range", "Ctrl+Right", "Show a wider range of wavelengths", false},
    {CM_DECREASERANGE, "Decrease range", "Ctrl+Left", "Show a narrower range of wavelengths",
     false},
    {CM_SCANONLYRANGE, "Scan onl&y range", "", "Read the tables only over the graph's range", true},
    {CM_ORDER1, "&1st order", "", "Draw the lines in the first order", true},
    {CM_ORDER1 + 1, "&2nd order", "", "Draw the lines in the second order", true},
    {CM_ORDER1 + 2, "&3rd order", "", "Draw the lines in the third order", true},
    {CM_ORDER1 + 3, "&4th order", "", "Draw the lines in the fourth order", true},
    {CM_ORDER1 + 4, "&5th order", "", "Draw the lines in the fifth order", true},
    {CM_TREATORDERSASRATIOS, "&Treat orders as ratios", "",
     "Draw a line of order n at 1/n of its intensity", true},
    {CM_GRAPHOPTIONS, "&Options...", "Ctrl+Shift+O", "Change the graph's sizes and colours", false},
    {CM_ELEMENTWINDOW, "&Elements", "F4", "Show or hide the periodic table", true},
    {CM_DATAWINDOW, "&Data", "F5", "Show or hide the list of lines", true},
    {CM_GRAPHWINDOW, "&Graph", "F6", "Show or hide the graph", true},
    {CM_COMMANDLINE, "&Command line", "", "Show or hide the command line", true},
    {CM_PEAKSWINDOW, "&Peaks", "F7", "Show or hide the peaks found by IDENTIFY and their lines",
     true},
    {CM_HELPCONTENTS, "&Contents", "F1", "Open the help", false},
    {CM_HELPCOMMANDS, "Command &line", "", "Help on the typed commands", false},
    {CM_ABOUT, "&About...", "", "Show the version of Spekla", false},
};

constexpr TypedEquivalent kTypedEquivalents[] = {
    {CM_PREVIOUS, CMD_UP, "UP", ""},
    {CM_NEXT, CMD_DOWN, "DOWN", ""},
    {CM_VACUUM, CMD_VACUUM, "VACUUM", ""},
    {CM_WAVENUMBER, CMD_WAVENUMBER, "WAVENUMBER", ""},
    {CM_AIR, CMD_AIR, "AIR", ""},
    {CM_SELECTALL, CMD_ALL, "ALL", ""},
    {CM_USERATIOS, CMD_RATIOS, "RATIOS", ""},
    {CM_DISPLAYOVERLAY, CMD_OVERLAY, "OVERLAY", ""},
    {CM_PERIODIC, CMD_PERIODIC, "PERIODIC", ""},
    {CM_ALPHABETICAL, CMD_ALPHABETICAL, "ALPHABETICAL", ""},
    {CM_ATOMICNUMBER, CMD_ATOMIC, "ATOMIC", ""},
};

}  // namespace

std::span<const MenuCommand> MenuCommandTable()
{
    return kCommands;
}

const TypedEquivalent* FindTypedEquivalent(int menuId)
{
    for (const TypedEquivalent& typed : kTypedEquivalents) {
        if (typed.menuId == menuId) {
            return &typed;
        }
    }
    return nullptr;
}
