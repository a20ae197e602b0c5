#include "FakeWorkspace.h"
#include "NamedElements.h"
#include "command/CommandInterpreter.h"
#include "command/CommandNumbers.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "framework/NumberFormat.h"
#include "support/TestFiles.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace {

// Elements H He Fe Cu Ni Fe (a second Fe line: every element of a name is changed), three
// sources with lines from 4000 to 6000 Å; the names of Fe and Hg (not installed).
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

    TempFolder folder;
    TextTables text;
    TableArray tables{text};
    uint64_t revisionAtStart = 0;
    FakeWorkspace workspace;
    ElementFacts facts = NamedElements(folder);
    CommandInterpreter interpreter{text, tables, workspace, facts};
};

// Joins the items for which `take` gives a text.
template <typename Items, typename Take>
std::string Joined(const Items& items, Take take)
{
    std::string text;
    for (const auto& item : items) {
        if (const std::string word = take(item); !word.empty()) {
            text += (text.empty() ? "" : " ") + word;
        }
    }
    return text;
}

const char* const kSummations[] = {"off", "display", "only"};
const char* const kLayouts[] = {"periodic", "alphabetical", "atomic"};
const char* const kUnits[] = {"wave number", "air", "vacuum"};

// The parts of the state the cases check, each as text.
using I = const Installation&;
const std::map<std::string, std::function<std::string(I)>> kProbes = {
    {"sel",
     [](I i) {
         return Joined(i.text.ElementTable, [](auto& e) { return e.selected ? e.name : ""; });
     }},
    {"ratios",
     [](I i) {
         return Joined(i.text.ElementTable, [](auto& e) { return FormatDefault(e.ratio); });
     }},
    {"useRatios", [](I i) { return std::to_string(i.tables.UseRatios()); }},
    {"ion",
     [](I i) {
         const auto& flags = i.text.ValenceFlags;
         std::string shown;
         for (size_t v = 0; v < flags.size(); ++v) {
             shown += flags[v] ? " " + std::to_string(v) : "";
         }
         return std::find(flags.begin(), flags.end(), 0) == flags.end() ? "all" : shown;
     }},
    {"src",
     [](I i) {
         std::string labels;
         for (size_t s = 0; s < i.tables.FileCount(); ++s) {
             labels += i.tables.IsActive(s) ? i.tables.FileAt(s).Label() + " " : "";
         }
         return labels + (i.tables.SettingsRevision() > i.revisionAtStart ? "(revised)" : "");
     }},
    {"range", [](I i) { return FormatDefault(i.workspace.graph.range); }},
    {"height", [](I i) { return FormatDefault(i.workspace.graph.height); }},
    {"orders",
     [](I i) { return Joined(i.workspace.graph.orders, [](bool o) { return o ? "1" : "0"; }); }},
    {"sum",
     [](I i) { return std::string(kSummations[static_cast<int>(i.workspace.graph.summation)]); }},
    {"overlay", [](I i) { return std::to_string(i.workspace.graph.overlay); }},
    {"span",
     [](I i) {
         return i.tables.IsScanLimited() ? std::to_string(i.tables.Span()) : std::string("full");
     }},
    {"layout",
     [](I i) { return std::string(kLayouts[static_cast<int>(i.workspace.elements.layout)]); }},
    {"decimals", [](I i) { return std::to_string(i.tables.Decimals()); }},
    {"unit", [](I i) { return std::string(kUnits[i.tables.UnitMode()]); }},
    {"linear", [](I i) { return std::to_string(i.tables.Linear()); }},
    {"at", [](I i) { return std::to_string(i.tables.DisplayList().CurrentWavelength()); }},
};

// Each "probe=value" item of `state` holds.
void ExpectState(const Installation& installation, const std::string& state)
{
    for (size_t start = 0; start < state.size();) {
        const size_t end = std::min(state.find("; ", start), state.size());
        const std::string item = state.substr(start, end - start);
        const std::string name = item.substr(0, item.find('='));
        EXPECT_EQ(name + "=" + kProbes.at(name)(installation), item);
        start = end + 2;
    }
}

constexpr const char* kGraphOnly =
    "!This command is only available when the graph window is displayed.";
#define NOT_AN_ELEMENT(word) "!\"" word "\" is not an element symbol or name of this installation."
constexpr const char* kBadQuotes =
    "!A file name in quotation marks must end with one "
    "(\"my file.txt\"), with nothing after it.";

struct Case {
    int commandId;
    const char* keyword;
    const char* argument;
    const char* panes;  // which panes are shown: E, D, G
    bool acted;
    const char* outcome;  // "!" and the whole warning, or the workspace operations called
    const char* state;    // "probe=value" items (see kProbes), separated by "; "
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.keyword << " '" << c.argument << "' with panes '" << c.panes << "'";
}

class CommandInterpreterCaseTest : public ::testing::TestWithParam<Case> {};

const Case kCases[] = {
    // Element lists: every element of a symbol or name, case ignored; a word that names no
    // element of the table is refused, the others not applied either.
    {CMD_ELEMENTS, "FE", "FE cu,xx", "EDG", false, NOT_AN_ELEMENT("xx"), "sel=H He Fe Cu Ni Fe"},
    {CMD_ONLY, "ONLY", "MERCURY", "EDG", false, NOT_AN_ELEMENT("MERCURY"), "sel=H He Fe Cu Ni Fe"},
    {CMD_ELEMENTS, "ELEMENTS", "", "EDG", false, "", ""},
    {CMD_ADD, "+", "FE", "EDG", true, "SelectionChanged", "sel=H He Fe Cu Ni Fe"},
    {CMD_REMOVE, "-", "HE,iron", "EDG", true, "SelectionChanged", "sel=H Cu Ni"},
    {CMD_ONLY, "ONLY", "FE CU", "EDG", true, "SelectionChanged", "sel=Fe Cu Fe"},
    {CMD_ONLY, "ONLY", " , ,", "EDG", false, "", "sel=H He Fe Cu Ni Fe"},
    {CMD_ALL, "ALL", "VALENCE", "EDG", true, "SelectionChanged", "ion=all"},
    {CMD_ALL, "TOUS", "GRAPH", "EDG", false, "", ""},
    // Ratios: assignments (the first Fe only; commas are no separators), the switch, and
    // values that are no ratio.
    {CMD_RATIOS, "RATIOS", "Iron CU 2.5 NI 0.5 HE", "EDG", true, "SelectionChanged",
     "ratios=1 1 2.5 2.5 0.5 1"},
    {CMD_RATIOS, "RATIOS", "FE,CU 2", "EDG", false, NOT_AN_ELEMENT("FE,CU"), "ratios=1 1 1 1 1 1"},
    {CMD_RATIOS, "RATIOS", "yes", "EDG", true, "SelectionChanged", "useRatios=1"},
    {CMD_RATIOS, "RATIOS", "", "EDG", true, "SelectionChanged", "useRatios=1"},
    {CMD_RATIOS, "RATIOS", "FE 1E999 CU 2", "EDG", false,
     "!A ratio must be a number from 0 to 1000.", "ratios=1 1 1 1 1 1"},
    {CMD_RATIOS, "RATIOS", "FE 1001", "EDG", false, "!A ratio must be a number from 0 to 1000.",
     ""},
    // Valences.
    {CMD_ION, "ION", "I, ii", "EDG", true, "SelectionChanged", "ion= 1 2"},
    {CMD_ION, "ION", "1 2 25", "EDG", true, "SelectionChanged", "ion= 1 2 25"},
    {CMD_ION, "ION", "26 -1 4000000000 99999999999999999999", "EDG", true, "SelectionChanged",
     "ion="},
    {CMD_ION, "ION", "all", "EDG", true, "SelectionChanged", "ion=all"},
    {CMD_ION, "ION", "I IRON", "EDG", false,
     "!\"IRON\" is not an ionisation stage (I to XIX, OX, BH or a number).", "ion=all"},
    // Sources: labels keep their case but compare without it.
    {CMD_SOURCE, "SOURCE", "nist, Third", "EDG", true, "SelectionChanged",
     "src=NIST third (revised)"},
    {CMD_SOURCE, "SOURCE", "none", "EDG", true, "SelectionChanged",
     "src=Kurucz NIST third (revised)"},
    // Graph commands, with and without the graph; 0 or no number does nothing.
    {CMD_RANGE, "RANGE", "12.5", "EDG", true, "ShowGraphStatus", "range=12.5"},
    {CMD_RANGE, "RANGE", "0", "ED", false, "", ""},
    {CMD_RANGE, "RANGE", "5", "ED", false,
     "!You cannot change the range of the graph window when it is not displayed.", ""},
    {CMD_RANGE, "RANGE", "-3", "EDG", false, "!The range must be from 0.01 to 100000 \u00C5.",
     "range=4"},
    {CMD_HEIGHT, "HEIGHT", "300", "EDG", true, "ShowGraphStatus", "height=300"},
    {CMD_HEIGHT, "HEIGHT", "fit", "EDG", true, "ShowGraphStatus", "height=-1"},
    {CMD_HEIGHT, "HEIGHT", "5", "EDG", false, "!The height must be from 10 to 100000.",
     "height=150"},
    {CMD_HEIGHT, "HEIGHT", "300", "", false,
     "!You cannot change the height of the graph window when it is not displayed.", ""},
    {CMD_ORDERS, "ORDERS", "2,3", "EDG", true, "", "orders=0 1 1 0 0"},
    {CMD_ORDERS, "ORDERS", "7", "EDG", false, "!\"7\" is not an order from 1 to 5.",
     "orders=1 0 0 0 0"},
    {CMD_ORDERS, "ORDERS", "", "EDG", true, "", "orders=1 1 1 1 1"},
    {CMD_ORDERS, "ORDERS", "", "ED", false, kGraphOnly, ""},
    {CMD_SUMMATION, "SUMMATION", "only", "EDG", true, "", "sum=only"},
    {CMD_SUMMATION, "SUMMATION", "NO", "EDG", true, "", "sum=off"},
    {CMD_SUMMATION, "SUMMATION", "MAYBE", "EDG", false, "", ""},
    {CMD_SUMMATION, "SUMMATION", "", "ED", false, kGraphOnly, ""},
    {CMD_OVERLAY, "OVERLAY", "Scan.txt", "EDG", true, "LoadOverlay Scan.txt", "overlay=1"},
    {CMD_OVERLAY, "OVERLAY", "bad.txt", "EDG", false, "LoadOverlay bad.txt", "overlay=0"},
    {CMD_OVERLAY, "OVERLAY", "", "EDG", true, "", "overlay=1"},
    {CMD_OVERLAY, "OVERLAY", "on", "ED", false, kGraphOnly, ""},
    {CMD_OVERLAY, "OVERLAY", "\"on\"", "EDG", true, "LoadOverlay on", "overlay=1"},
    {CMD_SCAN, "SCAN", "RANGE", "ED", false,
     "!The scan range can be restricted only when the graph window is displayed.", ""},
    {CMD_SCAN, "SCAN", "range", "EDG", true, "", "span=4000"},
    {CMD_SCAN, "SCAN", "", "EDG", true, "", "span=full"},
    {CMD_SCAN, "SCAN", "some", "EDG", false, "", ""},
    // Element layouts.
    {CMD_ALPHABETICAL, "ALPHABETICAL", "", "EDG", true, "", "layout=alphabetical"},
    {CMD_ATOMIC, "ATOMIC", "", "DG", false,
     "!This command is only available when the element window is displayed.", ""},
    {CMD_PERIODIC, "PERIODIC", "", "E", true, "", ""},
    // Panes; commas do not separate window names: "data," names nothing.
    {CMD_SHOW, "SHOW", "GRAPH data, element", "", true, "Show Graph; Show Element", ""},
    {CMD_SHOW, "SHOW", "GRAPH", "G", true, "", ""},
    {CMD_SHOW, "SHOW", "", "", false,
     "!You must specify a window to show. Choices are\nElement, Data, or Graph.", ""},
    {CMD_HIDE, "HIDE", "ELEMENTS GRAPH", "EDG", true, "Hide Element; Hide Graph", ""},
    {CMD_HIDE, "HIDE", "", "EDG", false,
     "!You must specify a window to hide. Choices are\nElement, Data, or Graph.", ""},
    // Element files: the extension is tested without case, the name keeps its case.
    {CMD_SAVE, "SAVE", "", "EDG", false, "!You must specify an element or ratio file name.", ""},
    {CMD_SAVE, "SAVE", "sel.txt", "EDG", false,
     "!You must specify either an SEF extension (element file).", ""},
    {CMD_SAVE, "SAVE", "My.sef", "EDG", true, "SaveElementFile My.sef", ""},
    {CMD_SAVE, "SAVE", "\"My sel.sef\"", "EDG", true, "SaveElementFile My sel.sef", ""},
    {CMD_LOAD, "LOAD", "", "EDG", false,
     "!You must specify the name of the element or ratio file to load.", ""},
    {CMD_LOAD, "OPEN", "~/sel/A.Sef", "EDG", true, "LoadElementFile ~/sel/A.Sef; SelectionChanged",
     ""},
    {CMD_LOAD, "LOAD", "bad.sef", "EDG", false, "LoadElementFile bad.sef; SelectionChanged", ""},
    // Display settings; decimals are read as atol reads them.
    {CMD_DECIMALS, "DECIMALS", "2", "EDG", true, "RefreshViews", "decimals=2"},
    {CMD_DECIMALS, "DECIMALS", "", "EDG", true, "RefreshViews", "decimals=0"},
    {CMD_DECIMALS, "DECIMALS", "5", "EDG", false,
     "!Number of decimals places must be from 0-4 inclusive.", "decimals=3"},
    {CMD_DECIMALS, "DECIMALS", "4294967298", "EDG", false,
     "!Number of decimals places must be from 0-4 inclusive.", "decimals=3"},
    {CMD_DECIMALS, "DECIMALS", "2E5", "EDG", true, "RefreshViews", "decimals=2"},
    {CMD_DECIMALS, "DECIMALS", "-1", "EDG", false,
     "!Number of decimals places must be from 0-4 inclusive.", ""},
    {CMD_VACUUM, "VACUUM", "", "EDG", true, "RefreshViews", "unit=vacuum"},
    {CMD_WAVENUMBER, "NUMBER", "", "", true, "RefreshViews", "unit=wave number"},
    {CMD_AIR, "AIR", "", "EDG", true, "RefreshViews", "unit=air"},
    {CMD_LINEAR, "LINEAR", "", "", true, "RefreshViews", "linear=1"},
    {CMD_LINEAR, "EXPONENTIAL", "", "", true, "RefreshViews", "linear=0"},
    {CMD_MINIMUM, "MINIMUM", "5", "EDG", true, "SetMinimumIntensity 5", ""},
    {CMD_MINIMUM, "MINIMUM", "X", "EDG", true, "SetMinimumIntensity 0", ""},
    {CMD_MINIMUM, "MINIMUM", "-2", "EDG", false, "!The minimum intensity must be from 0 to 100000.",
     ""},
    // Moving; a text that is no number is refused.
    {CMD_DOWN, "DOWN", "3", "EDG", true, "MoveDown 3", ""},
    {CMD_UP, "UP", "", "EDG", true, "MoveUp 1", ""},
    {CMD_GOTO, "GOTO", "5000 6000", "EDG", true, "RefreshViews", "at=5000000"},
    {CMD_GOTO, "GOTO", "-1E999", "EDG", false, "!The wavelength is out of range.", ""},
    {CMD_GOTO, "GOTO", "abc 5000", "EDG", false, "!\"abc\" is not a wavelength.", "at=4000000"},
    {CMD_GOTO, "GOTO", "", "EDG", false, "!Type the wavelength to go to.", ""},
    // Everything else reaches the workspace; the export dialog asks when there are no words.
    {CMD_EXPORT, "EXPORT", "", "EDG", true, "Export dialog", ""},
    {CMD_EXPORT, "EXPORT", "Out.txt sum 2.5", "EDG", true, "Export [Out.txt] [sum] [2.5]", ""},
    // The workspace has told the user why nothing was written.
    {CMD_EXPORT, "EXPORT", "bad.txt", "EDG", false, "Export [bad.txt]", ""},
    // Every blank separates: two blanks make an empty word, and four words are too many.
    {CMD_EXPORT, "EXPORT", "Out.txt sum  2.5", "EDG", false,
     "!EXPORT takes at most a file name, DATA, SUMMATION or BOTH, and a range. A file name with "
     "blanks goes in quotation marks (\"my file.txt\").",
     ""},
    // A quoted file name keeps its blanks; an open quotation is refused with the reason.
    {CMD_EXPORT, "EXPORT", "\"My out.txt\" sum", "EDG", true, "Export [My out.txt] [sum]", ""},
    {CMD_EXPORT, "EXPORT", "\"My out.txt sum", "EDG", false, kBadQuotes, ""},
    {CMD_PRINT, "PRINT", "", "", true, "Print", ""},
    {CMD_IDENTIFY, "IDENTIFY", "", "", true, "Identify 5", ""},
    {CMD_IDENTIFY, "IDENTIFY", "8", "", true, "Identify 8", ""},
    {CMD_IDENTIFY, "IDENTIFY", "0.5", "", false,
     "!The peak threshold must be from 1 to 100 times the noise.", ""},
    {CMD_ABOUT, "ABOUT", "", "", true, "About", ""},
    {CMD_QUESTION, "?", "", "", true, "Help 73", ""},
    {CMD_HELP, "HELP", "", "", true, "Help 22", ""},
    {4711, "", "", "EDG", false, "", ""},
};

}  // namespace

TEST_P(CommandInterpreterCaseTest, WarnsCallsTheWorkspaceAndChangesTheState)
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
    EXPECT_EQ((result.warning.empty() ? "" : "!" + result.warning) + installation.workspace.Log(),
              c.outcome);
    ExpectState(installation, c.state);
}

INSTANTIATE_TEST_SUITE_P(Commands, CommandInterpreterCaseTest, ::testing::ValuesIn(kCases));

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
    for (SummationMode mode :
         {SummationMode::Display, SummationMode::DisplayOnly, SummationMode::Off}) {
        installation.interpreter.Execute(CMD_SUMMATION, "SUMMATION", "");
        EXPECT_EQ(graph.summation, mode);
    }
    installation.interpreter.Execute(CMD_SUMMATION, "SUMMATION", "ONLY");
    installation.interpreter.Execute(CMD_SUMMATION, "SUMMATION", "");
    EXPECT_EQ(graph.summation, SummationMode::Off);
    EXPECT_EQ(graph.repaints, 5);
}

// Which numbers are no wave number is the table's business (TableArrayTest); the warning is ours.
TEST(CommandInterpreterTest, GoToZeroWaveNumberWarns)
{
    Installation installation;
    installation.tables.SetUnitMode(kUnitWaveNumber);
    const CommandResult result = installation.interpreter.Execute(CMD_GOTO, "GOTO", "0");
    EXPECT_FALSE(result.acted);
    EXPECT_EQ(result.warning, "A wave number must be a number greater than 0.");
}

TEST(CommandInterpreterTest, ClearRestoresSelectionSourcesAndPanes)
{
    Installation installation;
    FakeWorkspace& workspace = installation.workspace;
    workspace.shown = {false, false, false};
    workspace.graph.summation = SummationMode::Display;
    workspace.graph.overlay = true;
    for (const auto& [id, argument] :
         std::vector<std::pair<int, const char*>>{{CMD_ONLY, "FE"},
                                                  {CMD_RATIOS, "FE 3"},
                                                  {CMD_RATIOS, "ON"},
                                                  {CMD_SOURCE, "NIST"},
                                                  {CMD_ION, "I"},
                                                  {CMD_DECIMALS, "1"}}) {
        installation.interpreter.Execute(id, "", argument);
    }
    workspace.log.clear();

    EXPECT_TRUE(installation.interpreter.Execute(CMD_CLEAR, "RESET", "").acted);
    EXPECT_EQ(workspace.Log(),
              "ClearOverlay; Show Data; Show Graph; Show Element; SelectionChanged");
    ExpectState(installation,
                "sel=H He Fe Cu Ni Fe; ratios=1 1 1 1 1 1; useRatios=0; "
                "src=Kurucz NIST third (revised); ion=all; sum=off; overlay=0; decimals=1");
}

// The synthetic spectrum's commands change the graph only with a value they accept; a refusal
// names the limits and leaves everything as it was.
TEST(CommandInterpreterTest, SpectrumCommandsSetTheGraphOrSayWhyNot)
{
    Installation installation;
    const auto run = [&](int id, const char* argument) {
        return installation.interpreter.Execute(id, "", argument);
    };
    SpectrumSettings& spectrum = installation.workspace.graph.spectrum;
    EXPECT_TRUE(run(CMD_PROFILE, "gauss").acted);
    EXPECT_TRUE(run(CMD_RESOLUTION, "5000").acted);
    EXPECT_TRUE(run(CMD_VELOCITY, "-21.5").acted);
    EXPECT_TRUE(run(CMD_TEMPERATURE, "0.8").acted);
    EXPECT_TRUE(run(CMD_DENSITY, "1e17").acted);
    const SpectrumSettings set{LineShape::Gaussian, 0.1, 0.1, 5000.0, -21.5, 0.8, 1e17};
    EXPECT_EQ(spectrum, set);
    EXPECT_NE(run(CMD_PROFILE, "SQUARE").warning.find("STANDARD, GAUSSIAN"), std::string::npos);
    EXPECT_NE(run(CMD_FWHM, "0").warning.find("0.0001 to 100"), std::string::npos);
    EXPECT_NE(run(CMD_FWHM, "1 2 3").warning.find("Lorentzian"), std::string::npos);
    EXPECT_NE(run(CMD_VELOCITY, "fast").warning.find("velocity"), std::string::npos);
    EXPECT_FALSE(run(CMD_TEMPERATURE, "1000").acted);
    EXPECT_EQ(spectrum, set);

    EXPECT_TRUE(run(CMD_FWHM, "0.5 0.2").acted);  // a width in Å ends the resolving power
    EXPECT_TRUE(run(CMD_TEMPERATURE, "OFF").acted);
    EXPECT_EQ(spectrum, (SpectrumSettings{LineShape::Gaussian, 0.5, 0.2, 0.0, -21.5, 0.0, 1e17}));
    EXPECT_EQ(installation.workspace.graph.repaints, 7);
}
