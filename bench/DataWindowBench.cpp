// spekla-datawin-bench: measures painting the line list on the tables of one folder.
//
//   spekla-datawin-bench FOLDER
//
// Three sources list the same lines (links to the first table of FOLDER, made in a temporary
// folder), so every row holds a group of three. Prints "datawin_paint_ms" (a full paint of a
// 1000-pixel list into an image, median of repeated paints) and "scroll_ms" (moving one line
// and painting what the scroll uncovered, median).

#include "Stopwatch.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "datawin/TDataWindow.h"
#include "datawin/TMyColumnHeader.h"
#include "framework/SettingsStore.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>

namespace {

constexpr int kListHeight = 1000;
constexpr int kRepeats = 101;
constexpr int kFillSteps = 4000;  // lines read each way around the middle: far more than shown

double Median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// The first .swt of `folder` linked three times into `into`, with its ELEMENTS.
bool MakeThreeSources(const std::filesystem::path& folder, const std::filesystem::path& into)
{
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".swt") {
            for (const char* name : {"first.swt", "second.swt", "third.swt"}) {
                std::filesystem::create_symlink(entry.path(), into / name);
            }
            std::filesystem::create_symlink(folder / "ELEMENTS", into / "ELEMENTS");
            return true;
        }
    }
    return false;
}

double PaintMilliseconds(TDataWindow& window)
{
    QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
    std::vector<double> times;
    for (int i = 0; i < kRepeats; ++i) {
        Stopwatch watch;
        window.render(&image);
        times.push_back(watch.Seconds() * 1000.0);
    }
    return Median(times);
}

// One line down, then one up, each painted as the window on screen would paint it.
double ScrollMilliseconds(TDataWindow& window, TableArray& tables)
{
    std::vector<double> times;
    for (int i = 0; i < kRepeats; ++i) {
        const int step = i % 2 == 0 ? 1 : -1;
        Stopwatch watch;
        window.ScrollBy(tables.MoveBy(step));
        QApplication::processEvents();
        times.push_back(watch.Seconds() * 1000.0);
    }
    return Median(times);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: spekla-datawin-bench FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    QTemporaryDir sources;
    QTemporaryDir config;
    if (!MakeThreeSources(argv[1], sources.path().toStdString())) {
        std::fprintf(stderr, "spekla-datawin-bench: %s holds no table\n", argv[1]);
        return 2;
    }
    TextTables text;
    text.Load(sources.path().toStdString());
    TableArray tables(text);
    tables.ScanDirectory(sources.path().toStdString());
    const WavetableFile& first = tables.FileAt(0);
    tables.GoToWavelength(tables.FileAt(0).RecordAt(first.RecordCount() / 2).record.wavelength);
    for (int i = 0; i < kFillSteps && tables.FillStep(); ++i) {
    }
    SettingsStore store(SettingsStore::Root::CurrentUser,
                        config.filePath("settings.reg").toStdString());
    TDataWindow window(text, tables, store);
    window.resize(900, kListHeight + window.Header()->sizeHint().height() + 4);
    window.show();
    QApplication::processEvents();
    std::printf("datawin_paint_ms: %.3f\n", PaintMilliseconds(window));
    std::printf("scroll_ms: %.3f\n", ScrollMilliseconds(window, tables));
    std::printf("# %u lines listed, %d rows on screen, 3 sources, median of %d\n",
                tables.DisplayList().Count(), window.LinesPerPage(), kRepeats);
    return 0;
}
