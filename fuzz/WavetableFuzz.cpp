#include "FuzzCheck.h"
#include "database/LineRecord.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "support/TestFiles.h"

#include <chrono>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>

namespace {

const std::string& TablePath()
{
    static const TempFolder folder;
    static const std::string path = folder.File("fuzz.swt");
    return path;
}

int32_t Int32At(const uint8_t* data, size_t size, size_t offset)
{
    uint32_t value = 0;
    for (size_t i = 0; i < 4 && offset + i < size; ++i) {
        value |= uint32_t{data[offset + i]} << (8 * i);
    }
    return static_cast<int32_t>(value);
}

bool AdjacentPairOutOfOrder(const uint8_t* data, size_t records)
{
    for (size_t i = 1; i < records; ++i) {
        const LineRecord a = LineRecord::FromBytes(data + (i - 1) * LineRecord::kSize);
        const LineRecord b = LineRecord::FromBytes(data + i * LineRecord::kSize);
        if (b.wavelength < a.wavelength) {
            return true;
        }
    }
    return false;
}

// The display list is in order, and lists only records of the file that pass the filter.
void CheckList(TableArray& array, const uint8_t* data, size_t records)
{
    const ValidRecordsArray& list = array.DisplayList();
    if (list.IsEmpty()) {
        return;
    }
    FUZZ_CHECK(list.First() <= list.Cursor() && list.Cursor() <= list.Last(),
               "the cursor is on a listed line");
    const WavetableFile& file = array.FileAt(0);
    for (uint32_t slot = list.First(); slot <= list.Last(); ++slot) {
        FUZZ_CHECK(slot == list.First() || list.WavelengthAt(slot - 1) <= list.WavelengthAt(slot),
                   "the display list is sorted");
        const uint32_t index = list.RecordIndexAt(slot);
        FUZZ_CHECK(index < records, "a listed line is a whole record of the file");
        const LineRecord record = LineRecord::FromBytes(data + size_t{index} * LineRecord::kSize);
        FUZZ_CHECK(record.wavelength == list.WavelengthAt(slot), "a line lists its own record");
        FUZZ_CHECK(file.Passes(record), "a listed line passes the filter");
    }
}

}  // namespace

// The input is a table file. Some of its bytes also choose the filter and the wavelengths gone
// to, so that the fuzzer steers both the records and the walk over them.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::ofstream(TablePath(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const size_t records = size / LineRecord::kSize;
    const bool outOfOrder = AdjacentPairOutOfOrder(data, records);

    TextTables tables;
    for (int code = 0; code < 4; ++code) {
        tables.ElementTable.emplace_back(code + 1, 0, 0, 0, code, "E" + std::to_string(code), 1.0);
    }
    const uint8_t choice = size > 0 ? data[size - 1] : 0;
    tables.ElementTable[1].selected = (choice & 1) != 0 ? 0 : 1;
    tables.ValenceFlags[2] = (choice & 2) != 0 ? 0 : 1;

    TableArray array(tables);
    array.AddFile(TablePath(), "fuzz");
    array.SetMinimumIntensity((choice & 4) != 0 ? static_cast<double>(size > 1 ? data[size - 2] : 0)
                                                : 0.0);
    const WavetableFile& file = array.FileAt(0);
    FUZZ_CHECK(file.RecordCount() == records, "every whole record is counted");
    FUZZ_CHECK(
        ((file.Problems() & WavetableFile::kPartialRecord) != 0) == (size % LineRecord::kSize != 0),
        "a partial record is noted, and only then");

    // Go to wavelengths found in the input, each filled completely, some with a limited span.
    for (size_t walk = 0; walk < 6; ++walk) {
        const size_t offset = walk * 7;
        const int32_t target = Int32At(data, size, offset);
        array.SetSpan(walk % 3 == 2 ? (Int32At(data, size, offset + 4) & 0xFFFFF) + 1
                                    : TableArray::kFullSpan);
        array.GoToWavelength(target);
        while (array.Fill(std::chrono::seconds(1))) {
        }
        CheckList(array, data, records);
        if ((file.Problems() & WavetableFile::kUnsorted) != 0) {
            FUZZ_CHECK(outOfOrder, "a table is found out of order only when it is");
            FUZZ_CHECK(array.DisplayList().IsEmpty(), "an unsorted table lists nothing");
        }
        array.MoveBy(static_cast<int>(Int32At(data, size, offset + 2) % 50));
        CheckList(array, data, records);
    }

    // Read whole, a table not found out of order is in order and lists every passing record.
    array.SetSpan(TableArray::kFullSpan);
    array.GoToWavelength(0);
    array.Rebuild();
    while (array.Fill(std::chrono::seconds(1))) {
    }
    CheckList(array, data, records);
    if ((file.Problems() & WavetableFile::kUnsorted) == 0) {
        FUZZ_CHECK(!outOfOrder, "reading a table whole finds it out of order when it is");
        uint32_t passing = 0;
        for (size_t i = 0; i < records; ++i) {
            passing += file.Passes(LineRecord::FromBytes(data + i * LineRecord::kSize)) ? 1 : 0;
        }
        FUZZ_CHECK(array.DisplayList().Count() == passing, "every passing record is listed");
    }
    return 0;
}
