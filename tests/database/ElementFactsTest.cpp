#include "database/ElementFacts.h"
#include "support/TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>

// The repository's own form: the placeholder element 0 is left out, symbols and names are found
// in any case, a number that is not one leaves the fact unknown.
TEST(ElementFactsTest, ReadsTheRepositoryForm)
{
    TempFolder folder;
    folder.WriteText("elements.xml", R"(<?xml version="1.0"?>
<list xmlns="http://www.xml-cml.org/schema" xmlns:bo="x"><atom id="Xx">
 <scalar dictRef="bo:atomicNumber">0</scalar><label dictRef="bo:symbol" value="Xx"/></atom>
<atom id="Hg"><scalar dataType="xsd:Integer" dictRef="bo:atomicNumber"> 80 </scalar>
 <label dictRef="bo:symbol" value="Hg" /><label dictRef="bo:name" xml:lang="en" value="Mercury"/>
 <scalar dictRef="bo:mass" units="units:atmass">200.59</scalar>
 <scalar dictRef="bo:ionization">n/a</scalar></atom></list>)");
    std::string error;
    const ElementFacts facts = ElementFacts::Load(folder.File("elements.xml"), &error);
    ASSERT_NE(facts.BySymbol("HG"), nullptr) << error;
    EXPECT_EQ(facts.ByName("mercury"), facts.BySymbol("hg"));
    EXPECT_EQ(facts.ByAtomicNumber(80)->name, "Mercury");
    EXPECT_DOUBLE_EQ(facts.ByAtomicNumber(80)->mass, 200.59);
    EXPECT_EQ(facts.ByAtomicNumber(80)->ionisation, 0.0);
    EXPECT_EQ(facts.ByAtomicNumber(0), nullptr);

    folder.WriteText("broken.xml", "<list><atom>");
    EXPECT_TRUE(ElementFacts::Load(folder.File("broken.xml"), &error).Empty());
    EXPECT_NE(error.find("broken.xml, line 1"), std::string::npos) << error;
}

TEST(ElementFactsTest, InstalledRepositoryKnowsIron)
{
    if (!std::filesystem::exists(ElementFacts::kInstalledPath)) {
        GTEST_SKIP() << ElementFacts::kInstalledPath << " is not installed (package bodr)";
    }
    const ElementFact* iron = ElementFacts::Installed().ByName("IRON");
    ASSERT_NE(iron, nullptr);
    EXPECT_EQ(iron->symbol, "Fe");
    EXPECT_EQ(iron->atomicNumber, 26);
    EXPECT_NEAR(iron->ionisation, 7.9024, 1e-3);
}
