#include "FuzzCheck.h"
#include "database/AtomicDataFile.h"
#include "database/AtomicDataFormat.h"
#include "database/LineRecord.h"
#include "support/TestFiles.h"

#include <algorithm>
#include <cstdint>
#include <string>

// An atomic data file as the program opens it beside a table. The table is taken to be the one
// the header names, so that the fuzzer reaches past the check into the sections and records:
// whatever the bytes, opening either refuses with a reason or gives a file whose every record,
// text and level can be read without reading past what the file holds.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace AtomicDataFormat;
    static const TempFolder folder;
    const std::string path = folder.File("fuzz.swa");
    folder.WriteText(path.substr(folder.Path().size() + 1),
                     std::string(reinterpret_cast<const char*>(data), size));
    unsigned char header[kHeaderSize] = {};
    std::copy_n(data, std::min<size_t>(size, kHeaderSize), header);
    const uint64_t count = Get<uint64_t>(header + kCountAt);
    std::string problem;
    const auto file =
        AtomicDataFile::Open(path, static_cast<uint32_t>(count), header + kFirstRecordAt,
                             header + kLastRecordAt, problem);
    if (!file) {
        FUZZ_CHECK(!problem.empty(), "a refused file is named with a reason");
        return 0;
    }
    FUZZ_CHECK(file->Count() == count, "an opened file has the table's count");
    FUZZ_CHECK(kHeaderSize + uint64_t{kRecordSize} * count <= size,
               "every record lies inside the file");
    const uint32_t shown = std::min<uint32_t>(file->Count(), 4096);
    for (uint32_t i = 0; i < shown; ++i) {
        const auto line = file->Line(i);
        FUZZ_CHECK(line.has_value(), "every record of an opened file reads");
        FUZZ_CHECK(line->lowerConfiguration.size() + line->upperTerm.size() <= size,
                   "texts come from the file");
        FUZZ_CHECK(file->Emission(i).has_value(), "every record has its emission part");
    }
    FUZZ_CHECK(!file->Line(file->Count()).has_value(), "nothing past the last record");
    return 0;
}
