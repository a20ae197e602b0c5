// The sample installation's lamp table: every committed NIST list of data/nist imported at once,
// as scripts/make-sample-data does it.
#include "ImportTestSupport.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <tuple>

namespace {

namespace fs = std::filesystem;

#define SKIP_WITHOUT_NIST_DATA()                                              \
    if (NistDataFolder().empty()) {                                           \
        GTEST_SKIP() << "NIST line lists not found at " SPEKLA_NIST_DATA_DIR; \
    }

struct Spectrum {
    const char* file;
    int elementCode;  // atomic number - 1
    int stage;
};

// The lamp gases and metals the sample promises (data/README.md).
const Spectrum kLamps[] = {
    {"HeI.ascii", 1, 1},      {"NeI.ascii", 9, 1},          {"NeII_vacuum.ascii", 9, 2},
    {"ArI.ascii", 17, 1},     {"ArII_vacuum.ascii", 17, 2}, {"KrI_air.ascii", 35, 1},
    {"XeI_air.ascii", 53, 1}, {"HgI.ascii", 79, 1},         {"CdI.ascii", 47, 1},
    {"ZnI.ascii", 29, 1},     {"CuI_vacuum.ascii", 28, 1},  {"FeII_vacuum.ascii", 25, 2},
};

std::vector<std::string> AllLists()
{
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(NistDataFolder())) {
        if (entry.path().extension() == ".ascii") {
            files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// A line as the program shows it: its texts rather than their codes, which depend on the order
// in which the lists were read.
using ShownLine = std::tuple<int32_t, int, std::string, std::string>;

std::vector<ShownLine> Shown(const TempInstallation& dir, const std::string& table, int element,
                             int stage)
{
    std::vector<ShownLine> lines;
    for (const LineRecord& record : dir.Table(table)) {
        if (record.elementCode == element && record.valenceCode == stage) {
            lines.emplace_back(record.wavelength, record.intensityCode,
                               dir.TextLine("DESCRIPT", record.descriptionCode),
                               dir.TextLine("REFERENC", record.referenceCode));
        }
    }
    return lines;
}

TEST(SampleLampsTest, FolderHoldsExactlyTheLampLists)
{
    SKIP_WITHOUT_NIST_DATA();
    std::set<std::string> found;
    for (const std::string& path : AllLists()) {
        found.insert(fs::path(path).filename().string());
    }
    std::set<std::string> expected;
    for (const Spectrum& lamp : kLamps) {
        expected.insert(lamp.file);
    }
    EXPECT_EQ(found, expected);
}

TEST(SampleLampsTest, OneTableOfAllListsHasEveryLampAndNothingElse)
{
    SKIP_WITHOUT_NIST_DATA();
    TempInstallation dir;
    std::vector<std::string> arguments = {"--into", dir.Path(), "--table",
                                          "lamps",  "--format", "nist"};
    const std::vector<std::string> lists = AllLists();
    arguments.insert(arguments.end(), lists.begin(), lists.end());
    const ImportRun run = RunImport(arguments);
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.counts.size(), lists.size());
    size_t read = 0;
    for (const ImportCounts& counts : run.counts) {
        read += counts.read;
    }

    const std::vector<LineRecord> table = dir.Table("lamps.swt");
    EXPECT_EQ(table.size(), read);  // nothing skipped
    EXPECT_EQ(table.size(), 7663u);
    std::set<std::pair<int, int>> spectra;
    for (const LineRecord& record : table) {
        spectra.emplace(record.elementCode, record.valenceCode);
        // The lists span 3000 to 12,000 Å, vacuum ones converted to air (about 1 Å less).
        ASSERT_GE(record.wavelength, 2990000);
        ASSERT_LE(record.wavelength, 12000000);
    }
    std::set<std::pair<int, int>> expected;
    for (const Spectrum& lamp : kLamps) {
        expected.emplace(lamp.elementCode, lamp.stage);
    }
    EXPECT_EQ(spectra, expected);
    EXPECT_TRUE(std::is_sorted(table.begin(), table.end(), [](const auto& a, const auto& b) {
        return a.wavelength < b.wavelength;
    }));
}

TEST(SampleLampsTest, EachListReadsTheSameAloneAsAmongTheOthers)
{
    // Air and vacuum lists alternate in the folder: a medium or column layout carried over from
    // one list to the next would shift or lose lines of the later ones.
    SKIP_WITHOUT_NIST_DATA();
    TempInstallation together;
    std::vector<std::string> arguments = {"--into", together.Path(), "--table", "lamps"};
    const std::vector<std::string> lists = AllLists();
    arguments.insert(arguments.end(), lists.begin(), lists.end());
    ASSERT_EQ(RunImport(arguments).status, 0);

    for (const Spectrum& lamp : kLamps) {
        SCOPED_TRACE(lamp.file);
        TempInstallation alone;
        ASSERT_EQ(RunImport({"--into", alone.Path(), "--table", "one",
                             NistDataFolder() + "/" + lamp.file})
                      .status,
                  0);
        const std::vector<ShownLine> single = Shown(alone, "one.swt", lamp.elementCode, lamp.stage);
        ASSERT_FALSE(single.empty());
        EXPECT_EQ(Shown(together, "lamps.swt", lamp.elementCode, lamp.stage), single);
    }
}

}  // namespace
