#include "FuzzCheck.h"
#include "command/CommandInterpreter.h"
#include "command/CommandLineParser.h"
#include "command/CommandList.h"
#include "command/FakeWorkspace.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "support/TestFiles.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// Two sources with lines of four elements from 4000 to 6000 Å, made once.
const TempFolder& Installation()
{
    static const TempFolder folder;
    static const bool written = [] {
        const TempFolder& made = folder;
        made.WriteText("ELEMENTS", ElementsText({"H", "He", "Fe", "Cu"}));
        std::vector<LineRecord> lines;
        for (int32_t wavelength = 4000000; wavelength <= 6000000; wavelength += 2500) {
            lines.push_back(Line(wavelength, static_cast<uint8_t>(wavelength / 2500 % 4),
                                 static_cast<uint8_t>(wavelength / 10000 % 3 + 1),
                                 static_cast<uint8_t>(wavelength / 7500 % 40)));
        }
        made.WriteTable("first.swt", lines);
        lines.resize(lines.size() / 3);
        made.WriteTable("second.swt", lines);
        return true;
    }();
    (void)written;
    return folder;
}

void CheckTyped(const TypedCommand& typed)
{
    for (char c : typed.keyword) {
        FUZZ_CHECK(std::islower(static_cast<unsigned char>(c)) == 0, "the keyword is upper case");
    }
}

// What every command must leave sound, whatever it was given.
void CheckState(const TableArray& tables, const FakeWorkspace& workspace)
{
    const FakeGraph& graph = workspace.graph;
    FUZZ_CHECK(std::isfinite(graph.range) && graph.range >= 0.01 && graph.range <= 100000,
               "the graph's range stays in its limits");
    FUZZ_CHECK(std::isfinite(graph.height) && graph.height >= 10 && graph.height <= 100000,
               "the graph's height stays in its limits");
    FUZZ_CHECK(tables.Decimals() >= 0 && tables.Decimals() <= 4, "decimals stay 0 to 4");
    FUZZ_CHECK(std::isfinite(tables.MinIntensity()) && tables.MinIntensity() >= 0,
               "the minimum intensity is a usable number");
    const ValidRecordsArray& list = tables.DisplayList();
    for (uint32_t slot = list.First(); !list.IsEmpty() && slot < list.Last(); ++slot) {
        FUZZ_CHECK(list.WavelengthAt(slot) <= list.WavelengthAt(slot + 1),
                   "the display list is in order of wavelength");
    }
}

}  // namespace

// Each line of the input is typed on the command line, in order, over one installation.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string& folder = Installation().Path();
    TextTables text;
    text.Load(folder);
    TableArray tables(text);
    tables.ScanDirectory(folder);
    tables.Rebuild();
    FakeWorkspace workspace;
    CommandInterpreter interpreter(text, tables, workspace);

    std::string_view input(reinterpret_cast<const char*>(data), size);
    for (int lines = 0; !input.empty() && lines < 16; ++lines) {
        const size_t end = input.find('\n');
        const std::string_view line = input.substr(0, end);
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
        const auto typed = CommandLineParser::LengthWarning(line).empty()
                               ? CommandLineParser::Split(line)
                               : std::nullopt;
        if (!typed) {
            continue;
        }
        CheckTyped(*typed);
        const auto resolved = CommandLineParser::Resolve(CommandList::ForElements(text), *typed);
        if (!resolved || resolved->commandId == 0) {
            continue;
        }
        const CommandResult result =
            interpreter.Execute(resolved->commandId, resolved->keyword, resolved->argument);
        FUZZ_CHECK(result.warning.empty() || !result.acted, "a command that warns did not act");
        tables.Fill(std::chrono::milliseconds(50));
        CheckState(tables, workspace);
    }
    return 0;
}
