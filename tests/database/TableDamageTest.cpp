#include "database/TableArray.h"
#include "database/TextTables.h"
#include "support/TestFiles.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <thread>
#include <tuple>
#include <unistd.h>

namespace {

// The good table every case runs beside: its lines must always come out right.
const std::vector<LineRecord> kGood = {Line(1000), Line(2500), Line(4000), Line(4000), Line(7000)};

std::vector<LineRecord> Spaced(int count, int32_t start, int32_t step)
{
    return Ramp(count, start, step, 1);
}

std::string RandomBytes(size_t size)
{
    std::mt19937 random(7);
    std::string bytes(size, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random());
    }
    return bytes;
}

// The listed lines, table by table, as (wavelength, record index) read back from the files
// just as a repaint reads them.
struct Listed {
    int32_t wavelength;
    uint32_t record;
    uint16_t table;
    bool operator==(const Listed&) const = default;
};

std::vector<Listed> ListedLines(const TableArray& array)
{
    std::vector<Listed> lines;
    const ValidRecordsArray& list = array.DisplayList();
    for (uint32_t slot = list.First(); !list.IsEmpty() && slot <= list.Last(); ++slot) {
        const WaveData data = list.ItemAt(slot);
        EXPECT_EQ(data.record.wavelength, list.WavelengthAt(slot)) << "listed and read differ";
        lines.push_back({data.record.wavelength, data.recordIndex, list.TableIndexAt(slot)});
    }
    return lines;
}

std::vector<Listed> Expected(const std::vector<std::pair<uint16_t, std::vector<LineRecord>>>& all)
{
    std::vector<Listed> lines;
    for (const auto& [table, records] : all) {
        for (uint32_t i = 0; i < records.size(); ++i) {
            lines.push_back({records[i].wavelength, i, table});
        }
    }
    std::stable_sort(lines.begin(), lines.end(),
                     [](const Listed& a, const Listed& b) { return a.wavelength < b.wavelength; });
    return lines;
}

// Same wavelengths in any order of tables: the list orders equal wavelengths by arrival.
void ExpectSameLines(std::vector<Listed> actual, std::vector<Listed> expected)
{
    const auto order = [](const Listed& a, const Listed& b) {
        return std::tie(a.wavelength, a.table, a.record) <
               std::tie(b.wavelength, b.table, b.record);
    };
    for (size_t i = 1; i < actual.size(); ++i) {
        ASSERT_LE(actual[i - 1].wavelength, actual[i].wavelength) << "list out of order at " << i;
    }
    std::sort(actual.begin(), actual.end(), order);
    std::sort(expected.begin(), expected.end(), order);
    EXPECT_EQ(actual, expected);
}

void RebuildAndFill(TableArray& array)
{
    array.Rebuild();
    FillCompletely(array);
}

// How a table file is changed under the running program.
enum class How { CopyOver, Rename };

class DamagedTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tables.ElementTable.emplace_back(26, 0, 0, 3, 7, "Fe", 1.0);
        tables.ElementTable.emplace_back(29, 0, 0, 3, 10, "Cu", 1.0);
        folder.WriteTable("a-good.swt", kGood);
    }

    // As `cp` does it: the same file truncated and written again in place.
    void CopyOver(const std::string& name, const std::string& bytes)
    {
        const int fd = ::open(folder.File(name).c_str(), O_WRONLY | O_TRUNC);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        ::close(fd);
    }

    void ChangeFile(How how, const std::string& name, const std::string& bytes)
    {
        // File times tick with the kernel's coarse clock: step past the tick the file was
        // opened in, or a same-size copy could carry the very same time.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (how == How::CopyOver) {
            CopyOver(name, bytes);
        } else {
            folder.WriteText(name + ".new", bytes);
            std::filesystem::rename(folder.File(name + ".new"), folder.File(name));
        }
    }

    TableArray& Scan()
    {
        array = std::make_unique<TableArray>(tables);
        array->ScanDirectory(folder.Path());
        return *array;
    }

    TempFolder folder;
    TextTables tables;
    std::unique_ptr<TableArray> array;
};

struct DamageCase {
    const char* name;
    std::string bytes;
    std::vector<LineRecord> usable;     // what the damaged table still lists
    std::vector<const char*> warnings;  // part of each warning expected, in order
};

class DamageTest : public DamagedTableTest, public ::testing::WithParamInterface<DamageCase> {};

}  // namespace

TEST_P(DamageTest, DamagedTableIsNamedOnceAndTheOthersStayCorrect)
{
    const DamageCase& c = GetParam();
    folder.WriteText("b-bad.swt", c.bytes);
    TableArray& t = Scan();
    ASSERT_EQ(t.FileCount(), 2u);  // listed as a source whatever it holds
    t.GoToWavelength(3000);
    RebuildAndFill(t);
    ExpectSameLines(ListedLines(t), Expected({{0, kGood}, {1, c.usable}}));
    EXPECT_EQ(t.FileAt(1).RecordCount(), c.usable.size());
    const std::vector<std::string> warnings = t.TakeWarnings();
    ASSERT_EQ(warnings.size(), c.warnings.size());
    for (size_t i = 0; i < warnings.size(); ++i) {
        EXPECT_TRUE(warnings[i].starts_with(folder.File("b-bad.swt") + ": ")) << warnings[i];
        EXPECT_NE(warnings[i].find(c.warnings[i]), std::string::npos) << warnings[i];
    }
    // Said once: moving about and filling again finds the same problem without a word.
    t.GoToWavelength(100);
    RebuildAndFill(t);
    t.GoToWavelength(6000);
    RebuildAndFill(t);
    EXPECT_TRUE(t.TakeWarnings().empty());
    ExpectSameLines(ListedLines(t), Expected({{0, kGood}, {1, c.usable}}));
}

INSTANTIATE_TEST_SUITE_P(
    Tables, DamageTest,
    ::testing::Values(
        DamageCase{"empty", "", {}, {}},
        DamageCase{"shortOfOneRecord", "\x01\x02\x03", {}, {"3 bytes is not a whole number"}},
        DamageCase{"truncated",
                   Bytes(Spaced(4, 1500, 1000)).substr(0, 31),
                   Spaced(3, 1500, 1000),
                   {"the last 4 bytes are ignored"}},
        DamageCase{"unsorted",
                   Bytes({Line(1100, 1), Line(3100, 1), Line(2100, 1), Line(5100, 1)}),
                   {},
                   {"out of wavelength order"}},
        DamageCase{"unsortedAtTheEnd",
                   Bytes({Line(1100, 1), Line(3100, 1), Line(9100, 1), Line(9000, 1)}),
                   {},
                   {"record 4 is out of wavelength order"}},
        // 111 whole records and 1 byte over: the size is said first, the order when found.
        DamageCase{"randomBytes",
                   RandomBytes(1000),
                   {},
                   {"not a whole number", "out of wavelength order"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DamagedTableTest, OrderIsCheckedOnlyAsFarAsTheFillReads)
{
    // Out of order far from the target, with the scan limited: nothing read, nothing said.
    std::vector<LineRecord> records = Spaced(100, 1000, 100);
    std::swap(records[98], records[99]);
    folder.WriteTable("b-bad.swt", records);
    TableArray& t = Scan();
    t.SetSpan(500);
    t.GoToWavelength(2000);
    RebuildAndFill(t);
    EXPECT_TRUE(t.TakeWarnings().empty());
    EXPECT_EQ(t.FileAt(1).RecordCount(), 100u);
    // Reaching it leaves the table out.
    t.SetSpan(TableArray::kFullSpan);
    RebuildAndFill(t);
    EXPECT_EQ(t.TakeWarnings().size(), 1u);
    ExpectSameLines(ListedLines(t), Expected({{0, kGood}}));
}

namespace {

struct ReloadCase {
    const char* name;
    How change;
    std::vector<LineRecord> after;
};

class ReloadTest : public DamagedTableTest, public ::testing::WithParamInterface<ReloadCase> {};

}  // namespace

TEST_P(ReloadTest, TableChangedWhileOpenIsReadAgain)
{
    const ReloadCase& c = GetParam();
    const std::vector<LineRecord> before = Spaced(3000, 1100, 3);
    folder.WriteTable("b-changing.swt", before);
    TableArray& t = Scan();
    t.GoToWavelength(5000);
    RebuildAndFill(t);
    ExpectSameLines(ListedLines(t), Expected({{0, kGood}, {1, before}}));

    ChangeFile(c.change, "b-changing.swt", Bytes(c.after));
    // A repaint before the change is noticed reads whatever is there now, without a fault.
    const ValidRecordsArray& list = t.DisplayList();
    for (uint32_t slot = list.First(); slot <= list.Last(); ++slot) {
        (void)list.ItemAt(slot);
    }
    EXPECT_TRUE(t.CheckFiles());
    EXPECT_FALSE(t.CheckFiles());  // read again once
    FillCompletely(t);
    ExpectSameLines(ListedLines(t), Expected({{0, kGood}, {1, c.after}}));
    const std::vector<std::string> warnings = t.TakeWarnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("b-changing.swt: changed on disk"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, ReloadTest,
    ::testing::Values(ReloadCase{"copiedOverLarger", How::CopyOver, Spaced(5000, 900, 2)},
                      ReloadCase{"copiedOverSameSize", How::CopyOver, Spaced(3000, 1200, 2)},
                      ReloadCase{"copiedOverSmaller", How::CopyOver, Spaced(10, 3000, 50)},
                      ReloadCase{"truncatedToNothing", How::CopyOver, {}},
                      ReloadCase{"replacedByRename", How::Rename, Spaced(20, 5000, 7)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DamagedTableTest, TableTruncatedWhileFillingIsReadAgainByTheFill)
{
    const std::vector<LineRecord> before = Spaced(20000, 1000, 1);
    folder.WriteTable("b-changing.swt", before);
    TableArray& t = Scan();
    t.GoToWavelength(11000);
    t.Rebuild();
    t.FillStep();
    const std::vector<LineRecord> after = Spaced(5, 10990, 5);
    ChangeFile(How::CopyOver, "b-changing.swt", Bytes(after));
    // No check of the files in between: the fill meets the missing records itself.
    FillCompletely(t);
    ExpectSameLines(ListedLines(t), Expected({{0, kGood}, {1, after}}));
}

namespace {

struct ExtremeCase {
    const char* name;
    std::vector<LineRecord> records;
    int32_t target;
};

class ExtremeTest : public DamagedTableTest, public ::testing::WithParamInterface<ExtremeCase> {};

}  // namespace

// With the scan unlimited every record is read, however far from the current line it lies,
// including several at the very end of the range of wavelengths.
TEST_P(ExtremeTest, EveryRecordIsListedWithTheScanUnlimited)
{
    folder.WriteTable("b-extreme.swt", GetParam().records);
    TableArray& t = Scan();
    t.GoToWavelength(GetParam().target);
    RebuildAndFill(t);
    ExpectSameLines(ListedLines(t), Expected({{0, kGood}, {1, GetParam().records}}));
}

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Ends, ExtremeTest,
    ::testing::Values(
        ExtremeCase{"topFromZero", {Line(-5, 1), Line(0, 1), Line(kMax, 1), Line(kMax, 1)}, 0},
        ExtremeCase{"topFromTop", {Line(-5, 1), Line(kMax, 1), Line(kMax, 1)}, kMax},
        ExtremeCase{"bottomFromAbove", {Line(kMin, 1), Line(kMin, 1), Line(10, 1)}, 5000},
        ExtremeCase{"bothFromBelow", {Line(kMin, 1), Line(kMin, 1), Line(kMax, 1)}, -1000}),
    [](const auto& info) { return std::string(info.param.name); });
