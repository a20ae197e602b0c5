#include "FuzzCheck.h"
#include "database/TextTables.h"
#include "support/TestFiles.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

namespace {

// One folder for the whole run: the tables are read from files.
const std::string& Folder()
{
    static const TempFolder folder;
    return folder.Path();
}

void Write(const std::string& name, std::string_view text)
{
    std::ofstream(Folder() + "/" + name, std::ios::binary | std::ios::trunc) << text;
}

bool SameElements(const TextTables& a, const TextTables& b)
{
    if (a.ElementTable.size() != b.ElementTable.size()) {
        return false;
    }
    for (size_t i = 0; i < a.ElementTable.size(); ++i) {
        const Element& x = a.ElementTable[i];
        const Element& y = b.ElementTable[i];
        if (x.atomicNumber != y.atomicNumber || x.row != y.row || x.column != y.column ||
            x.name != y.name || x.sortIndex != y.sortIndex) {
            return false;
        }
    }
    return true;
}

}  // namespace

// The input holds ELEMENTS, DESCRIPT and REFERENC one after the other, separated by NUL bytes.
// Loading never fails, codes past a table read as nothing, and the ELEMENTS rewrite reads back
// to exactly the element table that was loaded.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::string_view parts[3];
    for (auto& part : parts) {
        const size_t end = rest.find('\0');
        part = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    Write("ELEMENTS", parts[0]);
    Write("DESCRIPT", parts[1]);
    Write("REFERENC", parts[2]);

    TextTables tables;
    tables.Load(Folder());
    FUZZ_CHECK(tables.DescriptionTable.size() >= 1 && tables.DescriptionTable[0].empty(),
               "description code 0 is empty");
    FUZZ_CHECK(tables.ReferenceTable.size() >= 1 && tables.ReferenceTable[0].empty(),
               "reference code 0 is empty");
    for (unsigned code = 0; code < 256; ++code) {
        (void)tables.DescriptionText(code);
        (void)tables.ReferenceText(code);
        (void)tables.ElementName(code);
        FUZZ_CHECK(tables.IsElementSelected(code) == (code < tables.ElementTable.size()),
                   "every loaded element is selected and no other code is");
    }
    for (const Element& element : tables.ElementTable) {
        FUZZ_CHECK(!element.name.empty(), "an element has a name");
        FUZZ_CHECK(element.name.find('\n') == std::string::npos, "a name is on one line");
    }

    const std::string text = tables.ElementsText();
    Write("ELEMENTS", text);
    TextTables reread;
    reread.LoadElements(Folder() + "/ELEMENTS");
    FUZZ_CHECK(SameElements(tables, reread), "the rewrite reads back to the same elements");
    FUZZ_CHECK(reread.ElementsText() == text, "a second rewrite changes nothing");
    return 0;
}
