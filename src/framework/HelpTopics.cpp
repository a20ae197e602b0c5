#include "framework/HelpTopics.h"

namespace {

constexpr HelpPage kPages[] = {
    {"index.html", "Contents"},
    {"helponhelp.html", "Using the help window"},
    {"main-window.html", "The main window"},
    {"element-window.html", "The element window"},
    {"data-window.html", "The data window"},
    {"graph-window.html", "The graph window"},
    {"commands.html", "The command line"},
    {"menu-file.html", "File menu"},
    {"menu-data.html", "Data menu"},
    {"menu-elements.html", "Elements menu"},
    {"menu-graph.html", "Graph menu"},
    {"menu-sources.html", "Sources menu"},
    {"menu-window.html", "Window menu"},
    {"menu-help.html", "Help menu"},
    {"dialogs.html", "Dialog boxes"},
    {"element-dialog.html", "Element data dialog"},
    {"valence-dialog.html", "Valences dialog"},
    {"export-dialog.html", "Export dialog"},
    {"graph-options.html", "Graph options"},
    {"keys.html", "Keyboard shortcuts"},
};

// By page, in the order the page tells of them.
constexpr HelpTopic kTopics[] = {
    {kHelpContentsTopic, "index.html", "", "Contents"},
    {kHelpOnHelpTopic, "helponhelp.html", "", "Using the help window"},
    {69, "element-window.html", "", "The element window"},
    {70, "data-window.html", "", "The data window"},
    {71, "graph-window.html", "", "The graph window"},
    {kCommandLineTopic, "commands.html", "", "The command line"},
    // File menu
    {12, "menu-file.html", "load-overlay", "Load overlay"},
    {13, "menu-file.html", "load-elements", "Load elements"},
    {16, "menu-file.html", "save-elements", "Save elements"},
    {17, "menu-file.html", "element-files", "Element selection files"},
    {18, "menu-file.html", "element-files", "Element selection files"},
    {23, "menu-file.html", "export", "Export"},
    // Data menu
    {28, "menu-data.html", "previous-page", "Previous page"},
    {31, "menu-data.html", "previous", "Previous"},
    {34, "menu-data.html", "next", "Next"},
    {35, "menu-data.html", "next-page", "Next page"},
    {39, "menu-data.html", "go-to-wavelength", "Go to wavelength"},
    {43, "menu-data.html", "air", "In air"},
    {41, "menu-data.html", "vacuum", "In vacuum"},
    {42, "menu-data.html", "wave-number", "Wave number"},
    {44, "menu-data.html", "decimals", "Decimals"},
    {45, "menu-data.html", "linear", "Linear"},
    {46, "menu-data.html", "minimum-intensity", "Minimum intensity"},
    {47, "menu-data.html", "valences", "Valences"},
    // Elements menu
    {48, "menu-elements.html", "periodic-table", "Periodic Table"},
    {49, "menu-elements.html", "alphabetical", "Alphabetical"},
    {50, "menu-elements.html", "atomic-number", "Atomic Number"},
    {51, "menu-elements.html", "set-ratio", "Set ratio"},
    {52, "menu-elements.html", "select-all", "Select All"},
    {53, "menu-elements.html", "invert-selection", "Invert selection"},
    // Graph menu
    {54, "menu-graph.html", "increase-intensity", "Increase intensity"},
    {55, "menu-graph.html", "decrease-intensity", "Decrease intensity"},
    {56, "menu-graph.html", "summation", "Summation"},
    {57, "menu-graph.html", "summation-only", "Summation only"},
    {58, "menu-graph.html", "use-ratios", "Use ratios"},
    {59, "menu-graph.html", "display-overlay", "Display overlay"},
    {60, "menu-graph.html", "increase-range", "Increase range"},
    {61, "menu-graph.html", "decrease-range", "Decrease range"},
    {62, "menu-graph.html", "order-1", "1st order"},
    {63, "menu-graph.html", "order-2", "2nd order"},
    {64, "menu-graph.html", "order-3", "3rd order"},
    {65, "menu-graph.html", "order-4", "4th order"},
    {66, "menu-graph.html", "order-5", "5th order"},
    {67, "menu-graph.html", "treat-orders-as-ratios", "Treat orders as ratios"},
    {68, "menu-graph.html", "options", "Options"},
    {109, "menu-graph.html", "fit-height", "Fit height"},
    {115, "menu-window.html", "peaks", "Peaks"},
    {110, "menu-graph.html", "fit-height-automatically", "Fit height automatically"},
    // Help menu
    {74, "menu-help.html", "about", "About Spekla"},
    // The buttons every dialog has
    {8, "dialogs.html", "ok", "OK"},
    {9, "dialogs.html", "cancel", "Cancel"},
    {11, "dialogs.html", "help-button", "Help"},
    // Element data and valences dialogs
    {106, "element-dialog.html", "ratio", "Ratio"},
    {107, "element-dialog.html", "symbol", "Symbol"},
    {108, "valence-dialog.html", "", "Valences dialog"},
    {105, "valence-dialog.html", "valence-boxes", "Valence check boxes"},
    // Export dialog
    {7, "export-dialog.html", "", "Export dialog"},
    {2, "export-dialog.html", "file-name", "File name"},
    {0, "export-dialog.html", "browse", "Browse"},
    {5, "export-dialog.html", "range", "Data range"},
    {6, "export-dialog.html", "range-arrows", "Data range arrows"},
    {1, "export-dialog.html", "both", "Data and summation"},
    {3, "export-dialog.html", "summation-only", "Summation only"},
    {4, "export-dialog.html", "data-only", "Data only"},
    {114, "export-dialog.html", "peaks", "Peaks and their lines"},
    // Graph options, Profile page
    {120, "graph-options.html", "profile", "Profile"},
    {121, "graph-options.html", "fwhm", "FWHM"},
    {122, "graph-options.html", "lorentzian-fwhm", "Lorentzian FWHM"},
    {123, "graph-options.html", "resolution", "Resolving power"},
    {124, "graph-options.html", "velocity", "Radial velocity"},
    {125, "graph-options.html", "temperature", "Temperature"},
    {126, "graph-options.html", "density", "Electron density"},
    // Graph options, Display page
    {75, "graph-options.html", "range", "Range"},
    {76, "graph-options.html", "range-change", "Range change"},
    {77, "graph-options.html", "line-width", "Line width"},
    {78, "graph-options.html", "height", "Height"},
    {79, "graph-options.html", "height-change", "Height change"},
    {80, "graph-options.html", "summation-off", "Summation: Don't display"},
    {81, "graph-options.html", "summation-on", "Summation: Display"},
    {82, "graph-options.html", "summation-only", "Summation: Display only"},
    {83, "graph-options.html", "display-overlay", "Display overlay"},
    {84, "graph-options.html", "treat-order-as-ratio", "Treat order as ratio"},
    {111, "graph-options.html", "overlay-style", "Draw overlay as"},
    {112, "graph-options.html", "overlay-on-line-scale", "Overlay on the lines' scale"},
    {113, "graph-options.html", "fit-height", "Fit height automatically"},
    {85, "graph-options.html", "order-1", "First order"},
    {86, "graph-options.html", "order-2", "Second order"},
    {87, "graph-options.html", "order-3", "Third order"},
    {88, "graph-options.html", "order-4", "Fourth order"},
    {89, "graph-options.html", "order-5", "Fifth order"},
    // Graph options, Colours page
    {90, "graph-options.html", "summation-colour", "Summation colour"},
    {91, "graph-options.html", "overlay-colour", "Overlay colour"},
    {92, "graph-options.html", "label-colour", "Label colour"},
    {93, "graph-options.html", "order-colour-1", "First order colour"},
    {94, "graph-options.html", "order-colour-2", "Second order colour"},
    {95, "graph-options.html", "order-colour-3", "Third order colour"},
    {96, "graph-options.html", "order-colour-4", "Fourth order colour"},
    {97, "graph-options.html", "order-colour-5", "Fifth order colour"},
    {98, "graph-options.html", "element-colours", "Element colours"},
    {99, "graph-options.html", "element-names", "Element names"},
    {100, "graph-options.html", "use-element-colours", "Elements check box"},
    {101, "graph-options.html", "sources", "Sources list"},
    {102, "graph-options.html", "source-colour", "Source colour"},
};

}  // namespace

std::span<const HelpTopic> HelpTopicTable()
{
    return kTopics;
}

const HelpTopic* FindHelpTopic(int context)
{
    for (const HelpTopic& topic : kTopics) {
        if (topic.context == context) {
            return &topic;
        }
    }
    return nullptr;
}

std::span<const HelpPage> HelpPages()
{
    return kPages;
}
