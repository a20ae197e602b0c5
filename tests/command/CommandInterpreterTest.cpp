#include "FakeWorkspace.h"
#include "command/CommandInterpreter.h"
#include "command/CommandNumbers.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "support/TestFiles.h"

#include <functional>
#include <gtest/gtest.h>
#include <limits>

namespace {

// Elements H He Fe Cu Ni Fe (a second Fe line: every element of a name is changed), three
// sources with lines from 4000 to 6000 Å.
class Installation {
public:
    Installation()
    {
        folder.WriteText("ELEMENTS", ElementsText({"H", "He", "Fe", "Cu", "Ni", "Fe"}));
        std::vector<LineRecord> lines;
        for (int32_t wavelength = 4000000; wavelength <= 6000000; wavelength += 10000) {
            lines.push_back(Line(wavelength, 2));
        }
        for (const char* name : {"Kurucz.swt", "NIST.swt", "third.swt"}) {
            folder.WriteTable(name, lines);
        }
        text.Load(folder.Path());
        tables.ScanDirectory(folder.Path());
        tables.Rebuild();
        revisionAtStart = tables.SettingsRevision();
    }

    std::string Selected() const
    {
        std::string names;
        for (const Element& element : text.ElementTable) {
            if (element.selected != 0) {
                names += (names.empty() ? "" : " ") + element.name;
            }
        }
        return names;
    }

    std::string ActiveSources() const
    {
        std::string labels;
        for (size_t i = 0; i < tables.FileCount(); ++i) {
            if (tables.IsActive(i)) {
                labels += (labels.empty() ? "" : " ") + tables.FileAt(i).Label();
            }
        }
        return labels;
    }

    std::string ShownValences() const
    {
        std::string indexes;
        for (size_t i = 0; i < text.ValenceFlags.size(); ++i) {
            if (text.ValenceFlags[i] != 0) {
                indexes += (indexes.empty() ? "" : " ") + std::to_string(i);
            }
        }
        return indexes;
    }

    TempFolder folder;
    TextTables text;
    TableArray tables{text};
    uint64_t revisionAtStart = 0;
    FakeWorkspace workspace;
    CommandInterpreter interpreter{text, tables, workspace};
};

using Check = std::function<void(const Installation&)>;

constexpr const char* kGraphOnly =
    "This command is only available when the graph window is displayed.";
constexpr const char* kElementsOnly =
    "This command is only available when the element window is displayed.";

struct Case {
    const char* name;
    int commandId;
    const char* keyword;
    const char* argument;
    const char* panes;  // which panes are shown: E, D, G
    bool acted;
    const char* warning;  // the whole warning, empty for none
    const char* log;      // the workspace operations called
    Check check;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

class CommandCaseTest : public ::testing::TestWithParam<Case> {};

const Case kCases[] = {
    // Element lists: every element of a name, case ignored, unknown names ignored.
    {"ElementsInvert", CMD_ELEMENTS, "FE", "FE cu,xx", "EDG", true, "", "SelectionChanged",
     [](const Installation& i) { EXPECT_EQ(i.Selected(), "H He Ni"); }},
    {"ElementsEmpty", CMD_ELEMENTS, "ELEMENTS", "", "EDG", false, "", "", nullptr},
    {"Add", CMD_ADD, "+", "FE", "EDG", true, "", "SelectionChanged",
     [](const Installation& i) { EXPECT_EQ(i.Selected(), "H He Fe Cu Ni Fe"); }},
    {"Remove", CMD_REMOVE, "-", "HE,NI", "EDG", true, "", "SelectionChanged",
     [](const Installation& i) { EXPECT_EQ(i.Selected(), "H Fe Cu Fe"); }},
    {"RemoveEmpty", CMD_REMOVE, "-", "", "EDG", false, "", "", nullptr},
    {"Only", CMD_ONLY, "ONLY", "FE CU", "EDG", true, "", "SelectionChanged",
     [](const Installation& i) { EXPECT_EQ(i.Selected(), "Fe Cu Fe"); }},
    {"OnlyEmpty", CMD_ONLY, "ONLY", "", "EDG", false, "", "",
     [](const Installation& i) { EXPECT_EQ(i.Selected(), "H He Fe Cu Ni Fe"); }},
    {"OnlyCommas", CMD_ONLY, "ONLY", " , ,", "EDG", false, "", "",
     [](const Installation& i) { EXPECT_EQ(i.Selected(), "H He Fe Cu Ni Fe"); }},
    {"AllValences", CMD_ALL, "ALL", "VALENCE", "EDG", true, "", "SelectionChanged",
     [](const Installation& i) { EXPECT_EQ(i.text.ValenceFlags[20], 1); }},
    {"AllOtherWord", CMD_ALL, "TOUS", "GRAPH", "EDG", false, "", "", nullptr},
    // Ratios: assignments, the switch, and values that are no ratio.
    {"RatiosAssign", CMD_RATIOS, "RATIOS", "FE CU 2.5 NI 0.5 HE", "EDG", true, "",
     "SelectionChanged",
     [](const Installation& i) {
         EXPECT_EQ(i.text.ElementTable[2].ratio, 2.5);
         EXPECT_EQ(i.text.ElementTable[5].ratio, 1.0);  // the first Fe only
         EXPECT_EQ(i.text.ElementTable[3].ratio, 2.5);
         EXPECT_EQ(i.text.ElementTable[4].ratio, 0.5);
         EXPECT_EQ(i.text.ElementTable[1].ratio, 1.0);
     }},
    {"RatiosCommasAreNotSeparators", CMD_RATIOS, "RATIOS", "FE,CU 2", "EDG", true, "",
     "SelectionChanged",
     [](const Installation& i) { EXPECT_EQ(i.text.ElementTable[2].ratio, 1.0); }},
    {"RatiosOn", CMD_RATIOS, "RATIOS", "yes", "EDG", true, "", "SelectionChanged",
     [](const Installation& i) { EXPECT_TRUE(i.tables.UseRatios()); }},
    {"RatiosToggle", CMD_RATIOS, "RATIOS", "", "EDG", true, "", "SelectionChanged",
     [](const Installation& i) { EXPECT_TRUE(i.tables.UseRatios()); }},
    {"RatioInfinite", CMD_RATIOS, "RATIOS", "FE 1E999 CU 2", "EDG", false,
     "A ratio must be a number from 0 to 1000.", "",
     [](const Installation& i) { EXPECT_EQ(i.text.ElementTable[3].ratio, 1.0); }},
    {"RatioTooLarge", CMD_RATIOS, "RATIOS", "FE 1001", "EDG", false,
     "A ratio must be a number from 0 to 1000.", "", nullptr},
    // Valences.
    {"IonNames", CMD_ION, "ION", "I, ii", "EDG", true, "", "SelectionChanged",
     [](const Installation& i) { EXPECT_EQ(i.ShownValences(), "1 2"); }},
    {"IonIndexes", CMD_ION, "ION", "1 2 25", "EDG", true, "", "SelectionChanged",
     [](const Installation& i) { EXPECT_EQ(i.ShownValences(), "1 2 25"); }},
    {"IonIndexesOutside", CMD_ION, "ION", "26 -1 4000000000 99999999999999999999", "EDG", true, "",
     "SelectionChanged", [](const Installation& i) { EXPECT_EQ(i.ShownValences(), ""); }},
    {"IonAll", CMD_ION, "ION", "all", "EDG", true, "", "SelectionChanged",
     [](const Installation& i) { EXPECT_EQ(i.text.ValenceFlags[0], 1); }},
    // Sources: labels keep their case but compare without it.
    {"SourceListed", CMD_SOURCE, "SOURCE", "nist, Third", "EDG", true, "", "SelectionChanged",
     [](const Installation& i) {
         EXPECT_EQ(i.ActiveSources(), "NIST third");
         EXPECT_GT(i.tables.SettingsRevision(), i.revisionAtStart);
     }},
    {"SourceUnknownActivatesAll", CMD_SOURCE, "SOURCE", "none", "EDG", true, "", "SelectionChanged",
     [](const Installation& i) { EXPECT_EQ(i.ActiveSources(), "Kurucz NIST third"); }},
    // Graph commands, with and without the graph.
    {"RangeSet", CMD_RANGE, "RANGE", "12.5", "EDG", true, "", "ShowGraphStatus",
     [](const Installation& i) { EXPECT_EQ(i.workspace.graph.range, 12.5); }},
    {"RangeZeroWithoutGraph", CMD_RANGE, "RANGE", "0", "ED", false, "", "", nullptr},
    {"RangeNoNumber", CMD_RANGE, "RANGE", "X", "EDG", false, "", "", nullptr},
    {"RangeWithoutGraph", CMD_RANGE, "RANGE", "5", "ED", false,
     "You cannot change the range of the graph window when it is not displayed.", "", nullptr},
    {"RangeInfinite", CMD_RANGE, "RANGE", "1E400", "EDG", false,
     "The range must be from 0.01 to 100000 \u00C5.", "",
     [](const Installation& i) { EXPECT_EQ(i.workspace.graph.range, 4.0); }},
    {"RangeNegative", CMD_RANGE, "RANGE", "-3", "EDG", false,
     "The range must be from 0.01 to 100000 \u00C5.", "", nullptr},
    {"RangeInfWord", CMD_RANGE, "RANGE", "INF", "EDG", false, "", "", nullptr},
    {"HeightSet", CMD_HEIGHT, "HEIGHT", "300", "EDG", true, "", "ShowGraphStatus",
     [](const Installation& i) { EXPECT_EQ(i.workspace.graph.height, 300.0); }},
    {"HeightTooSmall", CMD_HEIGHT, "HEIGHT", "5", "EDG", false,
     "The height must be from 10 to 100000.", "", nullptr},
    {"HeightWithoutGraph", CMD_HEIGHT, "HEIGHT", "300", "", false,
     "You cannot change the height of the graph window when it is not displayed.", "", nullptr},
    {"OrdersListed", CMD_ORDERS, "ORDERS", "2,3", "EDG", true, "", "",
     [](const Installation& i) {
         EXPECT_EQ(i.workspace.graph.orders,
                   (std::array<bool, 5>{false, true, true, false, false}));
     }},
    {"OrdersOutside", CMD_ORDERS, "ORDERS", "0 7", "EDG", true, "", "",
     [](const Installation& i) { EXPECT_EQ(i.workspace.graph.orders, (std::array<bool, 5>{})); }},
    {"OrdersAll", CMD_ORDERS, "ORDERS", "", "EDG", true, "", "",
     [](const Installation& i) {
         EXPECT_EQ(i.workspace.graph.orders, (std::array<bool, 5>{true, true, true, true, true}));
     }},
    {"OrdersWithoutGraph", CMD_ORDERS, "ORDERS", "", "ED", false, kGraphOnly, "", nullptr},
    {"SummationOnly", CMD_SUMMATION, "SUMMATION", "only", "EDG", true, "", "",
     [](const Installation& i) {
         EXPECT_EQ(i.workspace.graph.summation, SummationMode::DisplayOnly);
     }},
    {"SummationOff", CMD_SUMMATION, "SUMMATION", "NO", "EDG", true, "", "", nullptr},
    {"SummationOtherWord", CMD_SUMMATION, "SUMMATION", "MAYBE", "EDG", false, "", "", nullptr},
    {"SummationWithoutGraph", CMD_SUMMATION, "SUMMATION", "", "ED", false, kGraphOnly, "", nullptr},
    {"OverlayFile", CMD_OVERLAY, "OVERLAY", "Scan.txt", "EDG", true, "", "",
     [](const Installation& i) {
         EXPECT_EQ(i.workspace.overlayLoaded, "Scan.txt");
         EXPECT_EQ(i.workspace.overlayFileName, "Scan.txt");
         EXPECT_TRUE(i.workspace.graph.overlay);
     }},
    {"OverlayBadFile", CMD_OVERLAY, "OVERLAY", "bad.txt", "EDG", false, "", "",
     [](const Installation& i) {
         EXPECT_FALSE(i.workspace.graph.overlay);
         EXPECT_EQ(i.workspace.overlayFileName, "");
     }},
    {"OverlayToggle", CMD_OVERLAY, "OVERLAY", "", "EDG", true, "", "",
     [](const Installation& i) { EXPECT_TRUE(i.workspace.graph.overlay); }},
    {"OverlayWithoutGraph", CMD_OVERLAY, "OVERLAY", "on", "ED", false, kGraphOnly, "", nullptr},
    {"ScanWithoutGraph", CMD_SCAN, "SCAN", "RANGE", "ED", false,
     "The scan range can be restricted only when the graph window is displayed.", "", nullptr},
    {"ScanRange", CMD_SCAN, "SCAN", "range", "EDG", true, "", "",
     [](const Installation& i) { EXPECT_EQ(i.tables.Span(), 4000); }},
    {"ScanAll", CMD_SCAN, "SCAN", "", "EDG", true, "", "",
     [](const Installation& i) { EXPECT_EQ(i.tables.Span(), TableArray::kFullSpan); }},
    {"ScanOtherWord", CMD_SCAN, "SCAN", "some", "EDG", false, "", "", nullptr},
    // Element layouts.
    {"Alphabetical", CMD_ALPHABETICAL, "ALPHABETICAL", "", "EDG", true, "", "",
     [](const Installation& i) {
         EXPECT_EQ(i.workspace.elements.layout, ElementLayout::Alphabetical);
     }},
    {"AtomicWithoutElements", CMD_ATOMIC, "ATOMIC", "", "DG", false, kElementsOnly, "", nullptr},
    {"Periodic", CMD_PERIODIC, "PERIODIC", "", "E", true, "", "", nullptr},
    // Panes.
    // Commas do not separate window names: "data," names nothing.
    {"ShowMissing", CMD_SHOW, "SHOW", "GRAPH data, element", "", true, "",
     "Show Graph; Show Element", nullptr},
    {"ShowShown", CMD_SHOW, "SHOW", "GRAPH", "G", true, "", "", nullptr},
    {"ShowEmpty", CMD_SHOW, "SHOW", "", "", false,
     "You must specify a window to show. Choices are\nElement, Data, or Graph.", "", nullptr},
    {"HideBoth", CMD_HIDE, "HIDE", "ELEMENTS GRAPH", "EDG", true, "", "Hide Element; Hide Graph",
     nullptr},
    {"HideEmpty", CMD_HIDE, "HIDE", "", "EDG", false,
     "You must specify a window to hide. Choices are\nElement, Data, or Graph.", "", nullptr},
    // Element files: the extension is tested without case, the name keeps its case.
    {"SaveNoName", CMD_SAVE, "SAVE", "", "EDG", false,
     "You must specify an element or ratio file name.", "", nullptr},
    {"SaveWrongExtension", CMD_SAVE, "SAVE", "sel.txt", "EDG", false,
     "You must specify either an SEF extension (element file).", "", nullptr},
    {"SaveLowerCase", CMD_SAVE, "SAVE", "My.sef", "EDG", true, "", "SaveElementFile My.sef",
     nullptr},
    {"LoadNoName", CMD_LOAD, "LOAD", "", "EDG", false,
     "You must specify the name of the element or ratio file to load.", "", nullptr},
    {"Load", CMD_LOAD, "OPEN", "~/sel/A.Sef", "EDG", true, "",
     "LoadElementFile ~/sel/A.Sef; SelectionChanged", nullptr},
    {"LoadFails", CMD_LOAD, "LOAD", "bad.sef", "EDG", false, "",
     "LoadElementFile bad.sef; SelectionChanged", nullptr},
    // Display settings.
    {"Decimals", CMD_DECIMALS, "DECIMALS", "2", "EDG", true, "", "RefreshViews",
     [](const Installation& i) { EXPECT_EQ(i.tables.Decimals(), 2); }},
    {"DecimalsEmpty", CMD_DECIMALS, "DECIMALS", "", "EDG", true, "", "RefreshViews",
     [](const Installation& i) { EXPECT_EQ(i.tables.Decimals(), 0); }},
    {"DecimalsTooMany", CMD_DECIMALS, "DECIMALS", "5", "EDG", false,
     "Number of decimals places must be from 0-4 inclusive.", "",
     [](const Installation& i) { EXPECT_EQ(i.tables.Decimals(), 3); }},
    {"DecimalsHuge", CMD_DECIMALS, "DECIMALS", "4294967298", "EDG", false,
     "Number of decimals places must be from 0-4 inclusive.", "",
     [](const Installation& i) { EXPECT_EQ(i.tables.Decimals(), 3); }},
    {"DecimalsReadAsAtolDoes", CMD_DECIMALS, "DECIMALS", "2E5", "EDG", true, "", "RefreshViews",
     [](const Installation& i) { EXPECT_EQ(i.tables.Decimals(), 2); }},
    {"DecimalsNegative", CMD_DECIMALS, "DECIMALS", "-1", "EDG", false,
     "Number of decimals places must be from 0-4 inclusive.", "", nullptr},
    {"Vacuum", CMD_VACUUM, "VACUUM", "", "EDG", true, "", "RefreshViews",
     [](const Installation& i) { EXPECT_EQ(i.tables.UnitMode(), kUnitVacuum); }},
    {"WaveNumber", CMD_WAVENUMBER, "NUMBER", "", "", true, "", "RefreshViews",
     [](const Installation& i) { EXPECT_EQ(i.tables.UnitMode(), kUnitWaveNumber); }},
    {"Air", CMD_AIR, "AIR", "", "EDG", true, "", "RefreshViews",
     [](const Installation& i) { EXPECT_EQ(i.tables.UnitMode(), kUnitAir); }},
    {"Linear", CMD_LINEAR, "LINEAR", "", "", true, "", "RefreshViews",
     [](const Installation& i) { EXPECT_TRUE(i.tables.Linear()); }},
    {"Exponential", CMD_LINEAR, "EXPONENTIAL", "", "", true, "", "RefreshViews",
     [](const Installation& i) { EXPECT_FALSE(i.tables.Linear()); }},
    {"MinimumValue", CMD_MINIMUM, "MINIMUM", "5", "EDG", true, "", "SetMinimumIntensity 5",
     nullptr},
    {"MinimumNoNumber", CMD_MINIMUM, "MINIMUM", "X", "EDG", true, "", "SetMinimumIntensity 0",
     nullptr},
    {"MinimumNan", CMD_MINIMUM, "MINIMUM", "NAN", "EDG", true, "", "SetMinimumIntensity 0",
     nullptr},
    {"MinimumTooLarge", CMD_MINIMUM, "MINIMUM", "1E20", "EDG", false,
     "The minimum intensity must be from 0 to 100000.", "", nullptr},
    {"MinimumNegative", CMD_MINIMUM, "MINIMUM", "-2", "EDG", false,
     "The minimum intensity must be from 0 to 100000.", "", nullptr},
    // Moving.
    {"Down3", CMD_DOWN, "DOWN", "3", "EDG", true, "", "MoveDown 3", nullptr},
    {"DownMinus", CMD_DOWN, "DOWN", "-3", "EDG", true, "", "MoveDown 1", nullptr},
    {"NextZero", CMD_DOWN, "NEXT", "0", "EDG", true, "", "MoveDown 0", nullptr},
    {"DownHuge", CMD_DOWN, "DOWN", "4000000000", "EDG", true, "", "MoveDown 2147483647", nullptr},
    {"UpEmpty", CMD_UP, "UP", "", "EDG", true, "", "MoveUp 1", nullptr},
    {"GoTo", CMD_GOTO, "GOTO", "5000 6000", "EDG", true, "", "RefreshViews",
     [](const Installation& i) { EXPECT_EQ(i.tables.DisplayList().CurrentWavelength(), 5000000); }},
    {"GoToHuge", CMD_GOTO, "GOTO", "1E20", "EDG", true, "", "RefreshViews",
     [](const Installation& i) { EXPECT_EQ(i.tables.DisplayList().CurrentWavelength(), 6000000); }},
    {"GoToOverflow", CMD_GOTO, "GOTO", "-1E999", "EDG", false, "The wavelength is out of range.",
     "", nullptr},
    {"GoToText", CMD_GOTO, "GOTO", "X", "EDG", true, "", "RefreshViews",
     [](const Installation& i) { EXPECT_EQ(i.tables.DisplayList().CurrentWavelength(), 4000000); }},
    // Everything else reaches the workspace.
    {"ExportDialog", CMD_EXPORT, "EXPORT", "", "EDG", true, "", "Export dialog", nullptr},
    {"ExportArguments", CMD_EXPORT, "EXPORT", "Out.txt sum 2.5", "EDG", true, "",
     "Export [Out.txt] [sum] [2.5]", nullptr},
    // The workspace has told the user why nothing was written.
    {"ExportNotWritten", CMD_EXPORT, "EXPORT", "bad.txt", "EDG", false, "", "Export [bad.txt]",
     nullptr},
    // Every blank separates: two blanks make an empty word, and four words are too many.
    {"ExportTwoBlanks", CMD_EXPORT, "EXPORT", "Out.txt sum  2.5", "EDG", false, "", "", nullptr},
    {"ExportFourWords", CMD_EXPORT, "EXPORT", "a b c d", "EDG", false, "", "", nullptr},
    {"Print", CMD_PRINT, "PRINT", "", "", true, "", "Print", nullptr},
    {"About", CMD_ABOUT, "ABOUT", "", "", true, "", "About", nullptr},
    {"QuestionMark", CMD_QUESTION, "?", "", "", true, "", "Help 73", nullptr},
    {"Help", CMD_HELP, "HELP", "", "", true, "", "Help 22", nullptr},
    {"UnknownNumber", 4711, "", "", "EDG", false, "", "", nullptr},
};

}  // namespace

TEST_P(CommandCaseTest, ActsAsSpecified)
{
    const Case& c = GetParam();
    Installation installation;
    const std::string panes = c.panes;
    installation.workspace.shown = {panes.find('E') != std::string::npos,
                                    panes.find('D') != std::string::npos,
                                    panes.find('G') != std::string::npos};
    const CommandResult result =
        installation.interpreter.Execute(c.commandId, c.keyword, c.argument);
    EXPECT_EQ(result.acted, c.acted);
    EXPECT_EQ(result.warning, c.warning);
    EXPECT_EQ(installation.workspace.Log(), c.log);
    if (c.check) {
        c.check(installation);
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, CommandCaseTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Every number of the language has a handler.
TEST(CommandInterpreterTest, EveryCommandNumberIsHandled)
{
    for (int id = CMD_FIRST; id <= CMD_LAST; ++id) {
        EXPECT_TRUE(CommandInterpreter::Handles(id)) << id;
    }
    EXPECT_FALSE(CommandInterpreter::Handles(CMD_QUIT));
}

TEST(CommandInterpreterTest, SummationCyclesFromOff)
{
    Installation installation;
    FakeGraph& graph = installation.workspace.graph;
    const SummationMode expected[] = {SummationMode::Display, SummationMode::DisplayOnly,
                                      SummationMode::Off};
    for (SummationMode mode : expected) {
        installation.interpreter.Execute(CMD_SUMMATION, "SUMMATION", "");
        EXPECT_EQ(graph.summation, mode);
    }
    installation.interpreter.Execute(CMD_SUMMATION, "SUMMATION", "ONLY");
    installation.interpreter.Execute(CMD_SUMMATION, "SUMMATION", "");
    EXPECT_EQ(graph.summation, SummationMode::Off);
    EXPECT_EQ(graph.repaints, 5);
}

// A wave number of 0 (or a text read as 0) would divide by zero.
TEST(CommandInterpreterTest, GoToZeroWaveNumberWarnsAndStays)
{
    Installation installation;
    installation.tables.GoToWavelength(5000000);
    installation.tables.SetUnitMode(kUnitWaveNumber);
    for (const char* argument : {"0", "X", "-20000", "INF", "1E999"}) {
        const CommandResult result = installation.interpreter.Execute(CMD_GOTO, "GOTO", argument);
        EXPECT_FALSE(result.acted) << argument;
        EXPECT_EQ(result.warning, "A wave number must be a number greater than 0.") << argument;
        EXPECT_EQ(installation.tables.DisplayList().CurrentWavelength(), 5000000) << argument;
    }
}

TEST(CommandInterpreterTest, ClearRestoresSelectionSourcesAndPanes)
{
    Installation installation;
    FakeWorkspace& workspace = installation.workspace;
    workspace.shown = {false, false, false};
    workspace.graph.summation = SummationMode::Display;
    workspace.graph.overlay = true;
    installation.interpreter.Execute(CMD_ONLY, "ONLY", "FE");
    installation.interpreter.Execute(CMD_RATIOS, "RATIOS", "FE 3");
    installation.interpreter.Execute(CMD_RATIOS, "RATIOS", "ON");
    installation.interpreter.Execute(CMD_SOURCE, "SOURCE", "NIST");
    installation.interpreter.Execute(CMD_ION, "ION", "I");
    installation.interpreter.Execute(CMD_DECIMALS, "DECIMALS", "1");
    workspace.log.clear();

    EXPECT_TRUE(installation.interpreter.Execute(CMD_CLEAR, "RESET", "").acted);
    EXPECT_EQ(workspace.Log(),
              "ClearOverlay; Show Data; Show Graph; Show Element; SelectionChanged");
    EXPECT_EQ(installation.Selected(), "H He Fe Cu Ni Fe");
    EXPECT_EQ(installation.text.ElementTable[2].ratio, 1.0);
    EXPECT_FALSE(installation.tables.UseRatios());
    EXPECT_EQ(installation.ActiveSources(), "Kurucz NIST third");
    EXPECT_EQ(installation.text.ValenceFlags[0], 1);
    EXPECT_EQ(workspace.graph.summation, SummationMode::Off);
    EXPECT_FALSE(workspace.graph.overlay);
    EXPECT_EQ(installation.tables.Decimals(), 1);
}

TEST(CommandInterpreterTest, ExponentialAndLinearChooseTheScale)
{
    Installation installation;
    installation.interpreter.Execute(CMD_LINEAR, "EXPONENTIAL", "");
    EXPECT_FALSE(installation.tables.Linear());
    installation.interpreter.Execute(CMD_LINEAR, "LINEAR", "");
    EXPECT_TRUE(installation.tables.Linear());
}
