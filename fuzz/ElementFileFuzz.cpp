#include "FuzzCheck.h"
#include "database/TextTables.h"
#include "framework/Limits.h"
#include "support/TestFiles.h"
#include "workspace/ElementSelectionFile.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// Elements whose names differ only by case, and a name given twice.
const TempFolder& Installation()
{
    static const TempFolder folder;
    static const bool written = [] {
        folder.WriteText("ELEMENTS", ElementsText({"H", "He", "Fe", "Cu", "fe", "Fe"}));
        return true;
    }();
    (void)written;
    return folder;
}

struct Choice {
    uint8_t selected;
    double ratio;
    bool operator==(const Choice&) const = default;
};

std::vector<Choice> Choices(const TextTables& text)
{
    std::vector<Choice> choices;
    for (const Element& element : text.ElementTable) {
        choices.push_back({element.selected, element.ratio});
    }
    return choices;
}

}  // namespace

// Whatever a selection file holds, the ratios stay usable, and a selection saved and loaded
// again is the same selection.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TempFolder& folder = Installation();
    TextTables text;
    text.Load(folder.Path());
    folder.WriteText("fuzzed.sef", std::string(reinterpret_cast<const char*>(data), size));
    const ElementSelectionFile::LoadResult result =
        ElementSelectionFile::Load(folder.File("fuzzed.sef"), text);
    FUZZ_CHECK(result.loaded || !result.warning.empty(), "a refused file says why");
    for (const Element& element : text.ElementTable) {
        FUZZ_CHECK(std::isfinite(element.ratio) && element.ratio >= 0 &&
                       element.ratio <= Limits::kRatio.Max(),
                   "every ratio is usable");
    }
    const std::vector<Choice> loaded = Choices(text);
    std::string error;
    FUZZ_CHECK(ElementSelectionFile::Save(folder.File("saved.sef"), text, &error),
               "a selection can be saved");
    for (Element& element : text.ElementTable) {
        element.selected = 0;
    }
    const ElementSelectionFile::LoadResult again =
        ElementSelectionFile::Load(folder.File("saved.sef"), text);
    FUZZ_CHECK(again.loaded && again.skippedLines == 0, "a saved selection loads whole");
    for (size_t i = 0; i < loaded.size(); ++i) {
        FUZZ_CHECK(text.ElementTable[i].selected == loaded[i].selected,
                   "a saved selection selects the same elements");
        FUZZ_CHECK(!loaded[i].selected || text.ElementTable[i].ratio == loaded[i].ratio,
                   "a saved selection keeps its ratios");
    }
    return 0;
}
