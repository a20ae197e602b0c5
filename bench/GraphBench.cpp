// spekla-graph-bench: measures the graph's drawing pass on the tables of one folder.
//
//   spekla-graph-bench FOLDER
//
// A 1000 x 600 graph at the wavelength in the middle of the first table, range 4 A, the
// summation curve on. Prints "graph_pass_ms" (a complete pass with the usual filter and orders
// 1 and 2), "graph_pass_dense_ms" (no filter, all five orders) and "graph_first_stick_ms" (the
// time to the first stick of the filtered pass), "graph_pass_overlay_ms" (the filtered pass
// with a measured spectrum of 100,000 points over 40 A laid over it, drawn as a curve) and
// "graph_pass_voigt_ms" (the filtered pass with the summation a synthetic spectrum of Voigt
// profiles, Gaussian FWHM 0.05 A and Lorentzian 0.02 A); medians of repeated passes.

#include "Stopwatch.h"
#include "ViewSettings.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "framework/IdleDriver.h"
#include "framework/SettingsStore.h"
#include "graph/TGraphWindow.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include <QApplication>
#include <QTemporaryDir>

namespace {

constexpr int kRepeats = 7;

struct PassTimes {
    double passMs = 0.0;
    double firstStickMs = 0.0;
    std::size_t sticks = 0;
};

double Median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// Passes from a restart to completion, driven by the event loop as in the program.
PassTimes MeasurePasses(TGraphWindow& window)
{
    std::vector<double> passes;
    std::vector<double> firsts;
    PassTimes result;
    for (int i = 0; i < kRepeats; ++i) {
        window.Repaint();
        Stopwatch watch;
        double first = -1.0;
        while (!window.IsPassComplete()) {
            QApplication::processEvents();
            if (first < 0.0 && window.SticksDrawn() > 0) {
                first = watch.Seconds() * 1000.0;
            }
        }
        passes.push_back(watch.Seconds() * 1000.0);
        firsts.push_back(std::max(first, 0.0));
        result.sticks = window.SticksDrawn();
    }
    result.passMs = Median(passes);
    result.firstStickMs = Median(firsts);
    return result;
}

// A measured spectrum around `centre` (0.001 A): 100,000 points 0.0004 A apart, a peak every
// angstrom on a slowly varying base.
std::vector<OverlayData> Spectrum(int32_t centre)
{
    std::vector<OverlayData> points;
    constexpr int kPoints = 100000;
    for (int i = 0; i < kPoints; ++i) {
        const double offset = (i - kPoints / 2) * 0.0004;
        const double peak = std::exp(-50.0 * std::pow(offset - std::round(offset), 2.0));
        points.push_back({centre * 0.001 + offset, 100.0 + 10.0 * std::sin(offset) + 500.0 * peak});
    }
    return points;
}

// The summation's profile comes from `profile`; the default is the standard curve.
PassTimes Measure(const std::string& folder, const ViewSettings& view, int orders,
                  bool overlay = false, const SpectrumSettings& profile = {})
{
    TextTables text;
    text.Load(folder);
    view.Apply(text);
    auto tables = view.OpenTables(text, folder);
    const WavetableFile& first = tables->FileAt(0);
    tables->GoToWavelength(first.RecordAt(first.RecordCount() / 2).record.wavelength);
    QTemporaryDir config;
    SettingsStore store(SettingsStore::Root::CurrentUser,
                        config.filePath("settings.reg").toStdString());
    IdleDriver idle;
    TGraphWindow window(text, *tables, store, idle);
    window.resize(1000, 600);
    window.SetRange(4.0);
    for (int order = 1; order <= GraphView::kOrders; ++order) {
        window.SetOrderDisplayed(order, order <= orders);
    }
    window.SetSummation(SummationMode::Display);
    // The pass and the summation both take the profile from the window's settings.
    GraphSettings settings = window.Settings();
    settings.spectrum = profile;
    window.ApplySettings(settings);
    const std::vector<OverlayData> spectrum = Spectrum(tables->DisplayList().CurrentWavelength());
    if (overlay) {
        window.SetOverlay(&spectrum);
        window.SetDisplayOverlay(true);
    }
    window.show();
    QApplication::processEvents();
    return MeasurePasses(window);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: spekla-graph-bench FOLDER\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const PassTimes filtered = Measure(argv[1], ViewSettings::Filtered(), 2);
    const PassTimes dense = Measure(argv[1], ViewSettings::Unfiltered(), 5);
    const PassTimes overlaid = Measure(argv[1], ViewSettings::Filtered(), 2, true);
    SpectrumSettings voigt;
    voigt.shape = LineShape::Voigt;
    voigt.fwhm = 0.05;
    voigt.lorentzianFwhm = 0.02;
    const PassTimes voigtPass = Measure(argv[1], ViewSettings::Filtered(), 2, false, voigt);
    std::printf("graph_pass_ms: %.2f\n", filtered.passMs);
    std::printf("graph_pass_dense_ms: %.2f\n", dense.passMs);
    std::printf("graph_first_stick_ms: %.3f\n", filtered.firstStickMs);
    std::printf("graph_pass_overlay_ms: %.2f\n", overlaid.passMs);
    std::printf("graph_pass_voigt_ms: %.2f\n", voigtPass.passMs);
    std::printf(
        "# sticks drawn: %zu filtered (orders 1, 2), %zu dense (orders 1-5); median of %d\n",
        filtered.sticks, dense.sticks, kRepeats);
    return 0;
}
