#include "analysis/Identification.h"
#include "analysis/PeaksExport.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "support/TestFiles.h"

#include <cmath>
#include <gtest/gtest.h>

// A measured spectrum with a peak on a neon line and one where no table has a line: the first
// gets its candidate ranked 1 in the units shown, the second a row of rank 0.
TEST(PeaksExportTest, OneRowPerCandidateAndRankZeroForAPeakWithout)
{
    TempFolder folder;
    folder.WriteText("ELEMENTS", ElementsText({"H", "Ne"}));
    folder.WriteTable("lamp.swt", {Line(5000000, 1, 1, 30)});
    TextTables text;
    text.Load(folder.Path());
    TableArray tables(text);
    tables.ScanDirectory(folder.Path());
    tables.Rebuild();
    std::vector<OverlayData> spectrum;
    for (int i = 0; i < 4000; ++i) {
        const double wavelength = 4998.0 + 0.001 * i;
        double value = 10.0 + 0.5 * std::sin(i * 12.9898);  // deterministic noise
        for (const double centre : {5000.0, 5001.0}) {
            value += 1000.0 * std::exp(-0.5 * std::pow((wavelength - centre) / 0.04, 2));
        }
        spectrum.push_back({wavelength, value});
    }
    const Identification found = Identification::Run(spectrum, {}, text, tables);
    ASSERT_EQ(found.Peaks().size(), 2u);
    const std::string exported = PeaksExport::Text(found, text, tables);
    EXPECT_TRUE(exported.starts_with(PeaksExport::kHeader));
    EXPECT_NE(exported.find("\n5000.000\t"), std::string::npos) << exported;
    EXPECT_NE(exported.find("\t1\t5000.000\tNe\tI\tlamp\t"), std::string::npos) << exported;
    EXPECT_NE(exported.find("\n5001.000\t"), std::string::npos) << exported;
    EXPECT_NE(exported.find("\t0\t\t\t\t\t\n"), std::string::npos) << exported;
}
