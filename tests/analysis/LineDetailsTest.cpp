#include "analysis/LineDetails.h"
#include "database/AtomicDataFile.h"
#include "database/AtomicDataWriter.h"
#include "database/DisplayWaveData.h"
#include "database/ElementFacts.h"
#include "database/TextTables.h"
#include "database/WavetableFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

// A table of Hg I 4358.335 with its NIST data, a line with a little data and one with none.
TEST(LineDetailsTest, WritesWhatIsKnownOfTheLine)
{
    TextTables text;
    text.ElementTable.emplace_back(80, 0, 0, 6, 12, "Hg", 1.0);
    AtomicLine hg;
    hg.aki = 5.57e7;
    hg.lowerEnergy = 39412.237;
    hg.upperEnergy = 62350.456;
    hg.uncertainty = 0.0004;
    hg.lowerWeight = hg.upperWeight = 3;
    hg.ritz = true;
    hg.lowerConfiguration = "5d10.6s.6p";
    hg.lowerTerm = "3P*";
    hg.upperConfiguration = "5d10.6s.7s";
    hg.upperTerm = "3S";
    AtomicLine sparse;
    sparse.lowerTerm = "2D";
    sparse.lowerWeight = 6;
    AtomicDataWriter writer;
    for (const AtomicLine& line : {hg, sparse, AtomicLine{}}) {
        writer.Add(line, 0, 1);
    }
    const std::vector<LineRecord> records = {Line(4358335), Line(5000000), Line(6000000)};
    TempFolder folder;
    folder.WriteTable("t.swt", records);
    folder.WriteText("t.swa", writer.Bytes({0, 1, 2}, records.front(), records.back()));
    folder.WriteText("elements.xml", R"(<list><atom>
 <scalar dictRef="bo:atomicNumber">80</scalar><label dictRef="bo:symbol" value="Hg"/>
 <label dictRef="bo:name" value="Mercury"/><scalar dictRef="bo:mass">200.59</scalar>
 <scalar dictRef="bo:ionization">10.4375</scalar></atom></list>)");
    std::string error;
    const ElementFacts facts = ElementFacts::Load(folder.File("elements.xml"), &error);
    const WavetableFile table(folder.File("t.swt"), "t", text);
    ASSERT_NE(table.AtomicData(), nullptr);
    const auto rows = [&](uint32_t index, double velocity) {
        std::string joined;
        for (const std::string& row :
             LineDetailRows(*DisplayWaveData::FromFile(table, index, text), velocity, facts)) {
            joined += row + "\n";
        }
        return joined;
    };

    EXPECT_EQ(rows(0, 0.0),
              "Lower level 5d10.6s.6p 3P* J=1 E=39412.237 cm⁻¹\n"
              "Upper level 5d10.6s.7s 3S J=1 E=62350.456 cm⁻¹\n"
              "Aki 5.57e+07 s⁻¹, gk 3\n"
              "Ritz wavelength, uncertainty ±0.0004 Å\n"
              "Mercury, 200.59 u, first ionisation 10.44 eV\n");
    EXPECT_EQ(rows(1, -20.5),
              "Lower level 2D J=5/2\nObserved wavelength\n"
              "Mercury, 200.59 u, first ionisation 10.44 eV\n"
              "at 4999.658 Å for v = -20.5 km/s\n");
    EXPECT_EQ(rows(2, 100.0),
              "Mercury, 200.59 u, first ionisation 10.44 eV\n"
              "at 6002.002 Å for v = +100 km/s\n");
}
