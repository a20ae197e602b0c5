#include "database/TableReader.h"
#include "database/WavelengthIndex.h"
#include "support/TestFiles.h"

#include <algorithm>
#include <gtest/gtest.h>

// Against a search of the whole table: runs of equal wavelengths that cross the index's strides
// and blocks, gaps, both ends and beyond them, and a last block of a few records.
TEST(WavelengthIndexTest, FindsWhatASearchOfTheWholeTableFinds)
{
    std::vector<int32_t> wavelengths;
    for (int32_t i = 0; wavelengths.size() < 3 * WavelengthIndex::kBlock + 7; ++i) {
        const int run = i % 97 == 0 ? 700 : 1 + i % 3;  // some runs longer than a stride
        wavelengths.insert(wavelengths.end(), run, 1000 + 10 * i);
    }
    wavelengths.resize(3 * WavelengthIndex::kBlock + 7);
    std::vector<LineRecord> records;
    for (const int32_t wavelength : wavelengths) {
        records.push_back(Line(wavelength));
    }
    const TempFolder folder;
    folder.WriteTable("t.swt", records);
    const TableReader reader(folder.File("t.swt"));
    WavelengthIndex index;
    index.Build(reader, static_cast<uint32_t>(records.size()));

    for (int32_t target = 990; target <= wavelengths.back() + 10; target += 5) {
        const uint32_t found = index.Find(reader, target);
        if (target < wavelengths.front() || target > wavelengths.back()) {
            EXPECT_EQ(found, WavelengthIndex::kNotFound) << target;
            continue;
        }
        ASSERT_LT(found, wavelengths.size()) << target;
        const auto above = std::upper_bound(wavelengths.begin(), wavelengths.end(), target);
        // Exactly the wavelength when the table has it (any of a run), else the last below.
        const int32_t expected = *(above - 1);
        EXPECT_EQ(wavelengths[found], expected) << target;
        if (expected != target) {
            EXPECT_EQ(found, above - wavelengths.begin() - 1) << target;
        }
    }
}
