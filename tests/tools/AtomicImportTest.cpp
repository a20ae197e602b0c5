#include "ImportTestSupport.h"
#include "database/AtomicDataFile.h"
#include "tools/NistReader.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <iomanip>
#include <sstream>

namespace {

constexpr int kArgon = 17;  // element code in the sample ELEMENTS

// Lines given as 5000, 4000, 4500 Å; the level at 159855.97 cm⁻¹ comes three times.
constexpr const char* kTextTable = R"(
Observed   |OUnc. |Ritz       |RUnc. |Aki       |Ei           Ek             |Lower level               |Upper level               |
Wavelength |(Å)   |Wavelength |(Å)   |s^-1      |(cm-1)       (cm-1)         |--------------------------|--------------------------|
Air (Å)    |      |Air (Å)    |      |          |                            |Conf.   |Term    |J       |Conf.   |Term    |J       |
5000.10    |0.02  |5000.123   |0.004 |5.57e+07  |[159855.97] -  179850.5?    |3p5.4s  |2[3/2]* |5/2     |3p5.4p  |2[5/2]  |1/2,3/2 |
           |      |4000.5     |0.003 |          |12345.6+x   -  (159855.97)  |3p5.4s  |3P      |3       |3p5.5p  |3D      |5/2     |
4500.0     |      |4500.01    |      |8.e+05    |0.000   -  159855.97        |3p6     |1S      |0       |3p5.5p  |3D      |5/2     |
)";

// Aki and uncertainty as the file stores them (float), then energies, weights, Ritz, texts.
std::string Shown(const AtomicLine& a)
{
    std::ostringstream s;
    s << static_cast<float>(a.aki) << ' ' << static_cast<float>(a.uncertainty) << ' '
      << std::setprecision(10) << a.lowerEnergy << ' ' << a.upperEnergy << ' ' << a.lowerWeight
      << ' ' << a.upperWeight << ' ' << a.ritz << ' ' << a.lowerConfiguration << '|' << a.lowerTerm
      << '|' << a.upperConfiguration << '|' << a.upperTerm;
    return s.str();
}

std::vector<std::string> ReadShown(const std::string& list)
{
    std::vector<std::string> shown;
    ReadContext context;
    context.spectrum = SpectrumName::Parse("Ar I");
    NistReader::Read(list, context,
                     [&](const SourceLine& line) { shown.push_back(Shown(line.atomic)); });
    return shown;
}

std::unique_ptr<AtomicDataFile> OpenSideFile(const std::string& table)
{
    const std::string bytes = ReadFile(table);
    const auto* records = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto count = static_cast<uint32_t>(bytes.size() / LineRecord::kSize);
    std::string problem;
    auto file = AtomicDataFile::Open(AtomicDataFile::SidePath(table), count, records,
                                     records + (count - 1) * LineRecord::kSize, problem);
    EXPECT_EQ(problem, "");
    return file;
}

}  // namespace

TEST(NistAtomicDataTest, TextTableAndExportCellsBecomeAtomicLines)
{
    EXPECT_EQ(ReadShown(kTextTable),
              (std::vector<std::string>{
                  "5.57e+07 0.02 159855.97 179850.5 6 0 0 3p5.4s|2[3/2]*|3p5.4p|2[5/2]",
                  "nan 0.003 nan 159855.97 7 6 1 3p5.4s|3P|3p5.5p|3D",
                  "800000 nan 0 159855.97 1 6 0 3p6|1S|3p5.5p|3D"}));
    // g columns win over J; nanometres and wave numbers give their uncertainty in Å.
    EXPECT_EQ(ReadShown("element,sp_num,ritz_wl_vac(nm),unc_ritz_wl,Aki(s^-1),Ei(cm-1),"
                        "Ek(cm-1),conf_i,term_i,J_i,conf_k,term_k,J_k,g_i,g_k\n"
                        "Ar,1,=\"400.0\",=\"0.0002\",=\"1e6\",=\"[100.5]\",=\"25100.5+y\","
                        "=\"3p6\",=\"1S\",=\"0\",=\"3p5.4s\",=\"2[3/2]*\",=\"1\",=\"1\",=\"4\"\n"
                        "element,sp_num,obs_wn(cm-1),unc_obs_wn\nAr,1,20000,0.5\n"),
              (std::vector<std::string>{"1e+06 0.002 100.5 nan 1 4 1 3p6|1S|3p5.4s|2[3/2]*",
                                        "nan 0.125 nan nan 0 0 0 |||"}));
}

TEST(AtomicImportTest, SideFileFollowsTheTableAndGoesWithItsData)
{
    TempInstallation dir;
    dir.WriteText("ArI.ascii", kTextTable);
    ImportRun run = RunImport({"--into", dir.Path(), "--table", "t", dir.File("ArI.ascii")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("3 lines with atomic data (Aki, levels) in t.swa"), std::string::npos);
    const auto file = OpenSideFile(dir.File("t.swt"));
    ASSERT_TRUE(file);
    const std::vector<std::string> read = ReadShown(kTextTable);
    EXPECT_EQ((std::vector{Shown(*file->Line(0)), Shown(*file->Line(1)), Shown(*file->Line(2))}),
              (std::vector{read[1], read[2], read[0]}));
    EXPECT_EQ(file->Levels(kArgon, 1), (std::vector<AtomicLevel>{{0.0, 1}, {159855.97, 6}}));

    dir.WriteText("list.csv", "wavelength,element,ion\n5000,Ar,I\n");
    run = RunImport({"--into", dir.Path(), "--table", "t", dir.File("list.csv")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("t.swa")));
    EXPECT_EQ(run.out.find("atomic data (Aki"), std::string::npos);
}

TEST(AtomicImportTest, MercuryBlueLineKeepsItsAkiAndLevels)
{
    if (NistDataFolder().empty()) {
        GTEST_SKIP() << "NIST line lists not found at " SPEKLA_NIST_DATA_DIR;
    }
    TempInstallation dir;
    ASSERT_EQ(
        RunImport({"--into", dir.Path(), "--table", "hg", NistDataFolder() + "/HgI.ascii"}).status,
        0);
    const auto file = OpenSideFile(dir.File("hg.swt"));
    ASSERT_TRUE(file);
    const std::vector<LineRecord> table = dir.Table("hg.swt");
    const auto at = std::find_if(table.begin(), table.end(),
                                 [](const LineRecord& r) { return r.wavelength == 4358335; });
    ASSERT_NE(at, table.end());
    EXPECT_EQ(Shown(*file->Line(static_cast<uint32_t>(at - table.begin()))),
              "5.57e+07 nan 39412.237 62350.325 3 3 0 5d10.6s.6p|3P*|5d10.6s.7s|3S");
}
