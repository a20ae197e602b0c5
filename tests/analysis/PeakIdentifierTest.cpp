#include "analysis/ElementSummary.h"
#include "analysis/LineCandidates.h"
#include "analysis/PeakIdentifier.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "support/TestFiles.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <ranges>

namespace {

enum : uint8_t { kNe, kAr, kXe };

// Neon and argon lines of a lamp, sorted; 6050 Å is argon's 3025 Å in the second order.
const std::vector<LineRecord> kLamp = {
    Line(3025000, kAr, 1, 30), Line(5000000, kNe, 1, 30), Line(5100000, kNe, 1, 40),
    Line(5200000, kNe, 1, 35), Line(5300000, kNe, 1, 30), Line(5400000, kNe, 1, 25),
    Line(6000000, kAr, 1, 35), Line(6100000, kAr, 1, 30), Line(6200000, kAr, 1, 40),
    Line(6300000, kAr, 1, 30), Line(6400000, kAr, 1, 33)};
// Xenon beside some lamp lines, two of them nearer the peak than the true line, and strong
// xenon lines near the peaks that the spectrum does not show.
const std::vector<LineRecord> kXenon = {Line(5000030, kXe, 1, 40), Line(5100500, kXe, 1, 50),
                                        Line(5200012, kXe, 1, 40), Line(6300011, kXe, 1, 40),
                                        Line(6300500, kXe, 1, 50)};

class PeakIdentifierTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.WriteText("ELEMENTS", ElementsText({"Ne", "Ar", "Xe"}));
        text.Load(folder.Path());
        folder.WriteTable("a-lamp.swt", kLamp);
        folder.WriteTable("b-xenon.swt", kXenon);
        array.ScanDirectory(folder.Path());
        array.Rebuild();
    }

    // A peak 10 mÅ above each first-order lamp line, ten times as tall as the table says.
    static std::vector<MeasuredPeak> LampPeaks()
    {
        std::vector<MeasuredPeak> peaks;
        for (const LineRecord& line : kLamp | std::views::drop(1)) {
            const double height = 10.0 * std::pow(10.0, line.intensityCode / 10.0);
            peaks.push_back({line.wavelength * 0.001 + 0.01, 0.01, height, 0.1, 1.0, 100.0});
        }
        return peaks;
    }

    void Identify(const std::vector<MeasuredPeak>& peaks, LineCandidates::Options options = {})
    {
        LineCandidates candidates(text, array, std::move(options));
        candidates.Gather(peaks);
        identifier.Identify(peaks, candidates);
    }

    TempFolder folder;
    TextTables text;
    TableArray array{text};
    PeakIdentifier identifier;
};

TEST_F(PeakIdentifierTest, LampLinesRankFirstAndTheDistractorIsNotSupported)
{
    const auto peaks = LampPeaks();
    Identify(peaks);
    int right = 0;
    for (size_t i = 0; i < peaks.size(); ++i) {
        const auto& ranked = identifier.Ranked()[i];
        right += !ranked.empty() &&
                 std::abs(ranked.front().line.position - (peaks[i].centre - 0.01)) < 1e-9;
    }
    EXPECT_GE(right * 10, static_cast<int>(peaks.size()) * 9);

    const ElementSummary summary(identifier, text);
    std::map<std::string, std::string> verdicts;
    for (const auto& spectrum : summary.Spectra()) {
        verdicts[spectrum.name] = ElementSummary::VerdictText(spectrum.verdict);
    }
    const std::map<std::string, std::string> expected = {
        {"Ne I", "present"}, {"Ar I", "present"}, {"Xe I", "not supported"}};
    EXPECT_EQ(verdicts, expected);
}

struct OrderCase {
    const char* name;
    std::vector<int> orders;
    bool ordersAsRatios;
    double intensity;  // of argon's 3025 Å line at 6050 Å; 0: not a candidate
};

class OrderTest : public PeakIdentifierTest, public ::testing::WithParamInterface<OrderCase> {};

TEST_P(OrderTest, SecondOrderLineIsFoundWhenShown)
{
    Identify({{6050.002, 0.005, 1000.0, 0.05, 1.0, 50.0}},
             {GetParam().orders, GetParam().ordersAsRatios, 1.0, {}});
    const auto& ranked = identifier.Ranked()[0];
    const auto second = std::ranges::find_if(
        ranked, [](const auto& c) { return c.line.wavelength == 3025.0 && c.line.order == 2; });
    EXPECT_EQ(second != ranked.end() ? second->line.intensity : 0.0, GetParam().intensity);
}

INSTANTIATE_TEST_SUITE_P(, OrderTest,
                         ::testing::Values(OrderCase{"FirstOnly", {1}, false, 0.0},
                                           OrderCase{"Second", {1, 2}, false, 1000.0},
                                           OrderCase{"SecondAsRatio", {2}, true, 500.0},
                                           OrderCase{"OutOfRangeIgnored", {0, 6}, false, 0.0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct WindowCase {
    const char* name;
    std::vector<MeasuredPeak> peaks;
    std::vector<std::vector<double>> candidates;  // wavelengths (Å) of each peak's candidates
};

class WindowTest : public PeakIdentifierTest, public ::testing::WithParamInterface<WindowCase> {};

TEST_P(WindowTest, CandidatesLieWithinTolerance)
{
    LineCandidates candidates(text, array, {});
    candidates.Gather(GetParam().peaks);
    std::vector<std::vector<double>> found;
    for (const auto& lines : candidates.ForPeaks()) {
        found.emplace_back();
        for (const auto& line : lines) {
            found.back().push_back(line.wavelength);
        }
    }
    EXPECT_EQ(found, GetParam().candidates);
    identifier.Identify(GetParam().peaks, candidates);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    , WindowTest,
    ::testing::Values(
        // 3 mÅ off: uncertainty decides (9 mÅ); 40 mÅ off: half the width does (50 mÅ).
        WindowCase{"Tolerance",
                   {{5099.997, 0.003, 1, 0.001, 0, 9},
                    {5300.04, 0.001, 1, 0.1, 0, 9},
                    {5400.02, 0.003, 1, 0.01, 0, 9}},
                   {{5100.0}, {5300.0}, {}}},
        // The wide peak's window begins below the narrow one's before it.
        WindowCase{"WideAfterNarrow",
                   {{5203.0, 0.001, 1.0, 0.01, 0, 9}, {5203.5, 0.001, 1.0, 8.0, 0, 9}},
                   {{}, {5200.0, 5200.012}}},
        WindowCase{"UnusablePeaks",
                   {{kNaN, 0.01, 1.0, 0.1, 0, 9}, {1e300, 0.01, 1.0, 0.1, 0, 9}},
                   {{}, {}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct FilterCase {
    const char* name;
    void (*apply)(TextTables& text, TableArray& array);
    uint8_t excluded;
};

class FilterTest : public PeakIdentifierTest, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(FilterTest, FilteredLinesAreNoCandidates)
{
    GetParam().apply(text, array);
    array.Rebuild();
    Identify(LampPeaks());
    EXPECT_FALSE(identifier.Spectra().contains({GetParam().excluded, 1}));
}

INSTANTIATE_TEST_SUITE_P(
    , FilterTest,
    ::testing::Values(
        FilterCase{"DeselectedElement",
                   [](TextTables& text, TableArray&) { text.ElementTable[kAr].selected = 0; }, kAr},
        FilterCase{"InactiveTable",
                   [](TextTables&, TableArray& array) { array.SetActive(1, false); }, kXe}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

// A source receding at 60 km/s (λ·1.0002) moves argon's 6200 Å line to 6201.24 Å: the peak
// measured there names it, in the second order too, and the shifted position is what is ranked.
TEST_F(PeakIdentifierTest, VelocityMovesTheCandidates)
{
    LineCandidates::Options options{{1, 2}, false, 1.0, {}};
    options.spectrum.velocity = 60.0;
    const double shift = options.spectrum.Shift();
    Identify({{6200.0 * shift, 0.005, 1000.0, 0.05, 1.0, 50.0},
              {6050.0 * shift, 0.005, 1000.0, 0.05, 1.0, 50.0}},
             options);
    for (const double rest : {6200.0, 3025.0}) {
        const auto& ranked = identifier.Ranked()[rest == 6200.0 ? 0 : 1];
        ASSERT_FALSE(ranked.empty()) << rest;
        EXPECT_EQ(ranked.front().line.wavelength, rest);
        EXPECT_NEAR(ranked.front().line.position, rest * ranked.front().line.order * shift, 1e-9);
    }
}
