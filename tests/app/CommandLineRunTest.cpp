#include "database/AtomicDataWriter.h"
#include "support/QtTestSupport.h"
#include "support/TestFiles.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

#include <QFileInfo>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTest>

// The program started as a user starts it: a separate process in a small installation, with its
// own settings and desktop data folders, given options and command files.
class CommandLineRunTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void BatchRunsTheFileAndSaysHowItEnded_data();
    void BatchRunsTheFileAndSaysHowItEnded();
    void FilesGivenAtStartAreLoaded();
    void FileTypesAreRegisteredAndUnregisteredExactly();
    void SaveOverTheFileSizeLimitIsAnError();
    void FolderAndFileNamesAreBytes();
    void AFolderWithoutInstallationIsNamedAndLeftEmpty();
    void SyntheticSpectrumExportsTheLinesAsSet();

private:
    struct Run {
        int status = -1;
        QString errors;
    };
    // Runs the program in the installation; `window` keeps the offscreen platform, otherwise
    // the program must choose one for itself.
    Run Spekla(const QStringList& arguments, bool window = false,
               const std::function<void()>& inChild = {}) const;

    std::unique_ptr<TempFolder> m_installation, m_config, m_data;
};

using std::filesystem::exists;

void CommandLineRunTest::init()
{
    m_installation = std::make_unique<TempFolder>();
    m_config = std::make_unique<TempFolder>();
    m_data = std::make_unique<TempFolder>();
    std::vector<LineRecord> lines;
    for (int i = 0; i < 3000; ++i) {
        lines.push_back(Line(2000000 + 250 * i, static_cast<uint8_t>(i % 3)));
    }
    m_installation->WriteTable("first.swt", lines);
    m_installation->WriteText("ELEMENTS", "1 0 0 H\n26 3 7 Fe\n29 3 10 Cu\n");
    m_installation->WriteText("DESCRIPT", "blended\n");
    std::string scan;
    for (int i = 0; i < 2000; ++i) {  // one peak at the iron line of 2000.25 Å, on noise
        const double wavelength = 1999.5 + 0.001 * i;
        scan += std::to_string(wavelength) + ' ' +
                std::to_string(100 * std::exp(-std::pow((wavelength - 2000.25) / 0.02, 2)) +
                               (i * 7919 % 13) * 0.1) +
                '\n';
    }
    m_installation->WriteText("scan.txt", scan);
}

CommandLineRunTest::Run CommandLineRunTest::Spekla(const QStringList& arguments, bool window,
                                                   const std::function<void()>& inChild) const
{
    QProcess process;
    process.setChildProcessModifier(inChild);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("SPEKLA_CONFIG_DIR", QString::fromStdString(m_config->Path()));
    environment.insert("XDG_DATA_HOME", QString::fromStdString(m_data->Path()));
    if (!window) {
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
            environment.remove(name);
        }
    }
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QString::fromStdString(m_installation->Path()));
    process.start(SPEKLA_PROGRAM, arguments);
    Run run;
    if (process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit) {
        run.status = process.exitCode();
    }
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

void CommandLineRunTest::BatchRunsTheFileAndSaysHowItEnded_data()
{
    QTest::addColumn<QString>("commands");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("error");
    const QString exportLine = "\nEXPORT out.txt DATA 2\n";
    QTest::newRow("success") << "# a short run\n" + exportLine << 0 << "";
    QTest::newRow("warning") << "DECIMALS 9" + exportLine << 1
                             << "Number of decimals places must be from 0-4 inclusive.";
    QTest::newRow("unknown word") << "FROBNICATE" + exportLine << 1 << "no command matches";
    QTest::newRow("dialog") << "EXPORT" + exportLine << 1 << "dialog";
    QTest::newRow("identify without overlay")
        << "IDENTIFY" + exportLine << 1 << "no measured spectrum";
    QTest::newRow("peaks") << "OVERLAY scan.txt\nIDENTIFY\nEXPORT out.txt PEAKS\n" << 0 << "";
    QTest::newRow("line too long") << "EXPORT " + QString("./").repeated(136) + "out.txt DATA 2\n"
                                   << 1 << "at most 255 characters";
    QTest::newRow("quit ends the file") << "QUIT\nDECIMALS 9\n" << 0 << "";
}

// The first refused command stops the run with status 1 and says why; a run without a window
// leaves the settings and the desktop as they were.
void CommandLineRunTest::BatchRunsTheFileAndSaysHowItEnded()
{
    QFETCH(QString, commands);
    QFETCH(int, status);
    QFETCH(QString, error);
    m_installation->WriteText("commands.txt", commands.toStdString());
    const Run run = Spekla({"--batch", "commands.txt"});
    QCOMPARE(run.status, status);
    QVERIFY2(error.isEmpty() ? !run.errors.contains("spekla:") : run.errors.contains(error),
             qPrintable(run.errors));
    QCOMPARE(exists(m_installation->File("out.txt")), status == 0 && commands.contains("EXPORT"));
    QVERIFY(!exists(m_config->File("HKEY_CURRENT_USER.reg")));
    QVERIFY(!exists(m_data->File("applications/spekla.desktop")));
}

// An element file given at the start selects the elements the batch exports; a faulty option
// is reported without stopping the run.
void CommandLineRunTest::FilesGivenAtStartAreLoaded()
{
    m_installation->WriteText("iron.sef", "Fe 1\n");
    m_installation->WriteText("commands.txt", "EXPORT out.txt DATA 2\n");
    const Run run = Spekla({"iron.sef", "--batch", "commands.txt", "-o"});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.errors.contains("missing file name after -o"), qPrintable(run.errors));
    const std::string exported = m_installation->ReadText("out.txt");
    QVERIFY(exported.find("2000.250") != std::string::npos);  // the iron line
    QVERIFY(exported.find("2000.000") == std::string::npos);  // hydrogen's, not selected
}

// A start with a window registers the file types, for this program; unregistering takes
// everything away and does not save the settings again. That a second start rewrites nothing is
// FileTypeRegistrationTest's.
void CommandLineRunTest::FileTypesAreRegisteredAndUnregisteredExactly()
{
    m_installation->WriteText("quit.txt", "QUIT\n");
    QCOMPARE(Spekla({"--run", "quit.txt"}, true).status, 0);
    const std::string entry = m_data->ReadText("applications/spekla.desktop");
    const QString program = QFileInfo(SPEKLA_PROGRAM).absoluteFilePath();
    QVERIFY(entry.find("Exec=" + program.toStdString() + " %f\n") != std::string::npos);
    QVERIFY(exists(m_config->File("HKEY_CURRENT_USER.reg")));

    QCOMPARE(Spekla({"--run", "quit.txt", "-un"}, true).status, 0);
    QVERIFY(!exists(m_config->File("HKEY_CLASSES_ROOT.reg")));
    QVERIFY(!exists(m_config->File("HKEY_CURRENT_USER.reg")));
    QVERIFY(std::filesystem::is_empty(m_data->Path()));
}

// Past `ulimit -f` the save fails with the system's reason and leaves nothing behind, rather
// than the program being killed in the middle of it.
void CommandLineRunTest::SaveOverTheFileSizeLimitIsAnError()
{
    m_installation->WriteText("commands.txt", "EXPORT out.txt DATA 2\n");
    const Run run = Spekla({"--batch", "commands.txt"}, false, [] {
        const rlimit limit{16, 16};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    QCOMPARE(run.status, 1);
    QVERIFY2(run.errors.contains("File too large"), qPrintable(run.errors));
    QCOMPARE(std::distance(std::filesystem::directory_iterator(m_installation->Path()), {}), 5);
}

// A folder whose name is not UTF-8 is read and left as it was (ELEMENTS unchanged, no sibling
// made), and a file name in a command file is written as the file spells it.
void CommandLineRunTest::FolderAndFileNamesAreBytes()
{
    namespace fs = std::filesystem;
    const fs::path folder = m_installation->File("inst\xFF");
    fs::create_directory(folder);
    for (const char* name : {"first.swt", "ELEMENTS", "DESCRIPT"}) {
        fs::rename(m_installation->File(name), folder / name);
    }
    const auto elementsTime = fs::last_write_time(folder / "ELEMENTS");
    m_installation->WriteText("inst\xFF/commands.txt", "EXPORT out\xFE.txt DATA 2\nQUIT\n");
    const Run run = Spekla({"--run", "commands.txt"}, true, [&] { (void)::chdir(folder.c_str()); });
    QCOMPARE(run.status, 0);
    QVERIFY2(run.errors.contains("its name is not UTF-8"), qPrintable(run.errors));
    QVERIFY(m_installation->ReadText("inst\xFF/out\xFE.txt").find("2000.250") != std::string::npos);
    QVERIFY(fs::last_write_time(folder / "ELEMENTS") == elementsTime);
    QCOMPARE(std::distance(fs::directory_iterator(m_installation->Path()), {}), 2);
}

// A start where there is no installation says so at once, and leaves the folder as it was.
void CommandLineRunTest::AFolderWithoutInstallationIsNamedAndLeftEmpty()
{
    const TempFolder empty;
    m_installation->WriteText("quit.txt", "QUIT\n");
    const Run run = Spekla({"--run", m_installation->File("quit.txt").c_str()}, true,
                           [&] { (void)::chdir(empty.Path().c_str()); });
    QCOMPARE(run.status, 0);
    QVERIFY2(run.errors.contains("No Spekla installation here"), qPrintable(run.errors));
    QVERIFY(std::filesystem::is_empty(empty.Path()));
}

SPEKLA_QTEST(CommandLineRunTest);

#include "CommandLineRunTest.moc"

namespace {

struct Peak {
    double height = 0.0;
    double centre = 0.0;
    double fwhm = 0.0;
};

// The highest sample of an exported summation curve, its centre by a parabola through its
// neighbours, and its width at half height with the crossings interpolated.
Peak PeakOf(const std::string& path)
{
    std::ifstream in(path);
    std::vector<std::pair<double, double>> curve;
    std::string line;
    while (std::getline(in, line)) {
        double x = 0.0;
        double y = 0.0;
        if (std::sscanf(line.c_str(), "%lf\t%lf", &x, &y) == 2) {
            curve.emplace_back(x, y);
        }
    }
    const auto top = std::max_element(curve.begin() + 1, curve.end() - 1,
                                      [](auto& a, auto& b) { return a.second < b.second; });
    const double y0 = (top - 1)->second, y1 = top->second, y2 = (top + 1)->second;
    const double step = (top + 1)->first - top->first;
    const auto crossing = [&](auto at, int direction) {
        while (at->second > y1 / 2) {
            at += direction;
        }
        const auto inside = at - direction;
        return at->first +
               (y1 / 2 - at->second) / (inside->second - at->second) * (inside->first - at->first);
    };
    return {y1, top->first + 0.5 * step * (y0 - y2) / (y0 - 2 * y1 + y2),
            crossing(top, 1) - crossing(top, -1)};
}

}  // namespace

// The synthetic spectrum as a user checks it in a batch: a resolving power gives the line its
// width, a velocity moves it, a Voigt profile has the width of its two parts, and at a
// temperature two lines of a spectrum stand in the ratio of gk·Aki/λ·exp(−Ek/kT).
void CommandLineRunTest::SyntheticSpectrumExportsTheLinesAsSet()
{
    const std::vector<LineRecord> lines{Line(3000000, 1), Line(3100000, 1)};
    m_installation->WriteTable("atoms.swt", lines);
    AtomicLine strong;
    strong.aki = 1e8;
    strong.lowerEnergy = 0.0;
    strong.lowerWeight = 9;
    strong.upperEnergy = 30000.0;
    strong.upperWeight = 5;
    AtomicLine weak = strong;
    weak.aki = 2e7;
    weak.upperEnergy = 25000.0;
    weak.upperWeight = 7;
    AtomicDataWriter writer;
    writer.Add(strong, 1, 1);
    writer.Add(weak, 1, 1);
    m_installation->WriteText("atoms.swa", writer.Bytes({0, 1}, lines.front(), lines.back()));
    m_installation->WriteText("iron.sef", "Fe 1\n");
    m_installation->WriteText(
        "commands.txt",
        "RANGE 8\nSUMMATION ON\nGOTO 3000\nPROFILE GAUSSIAN\nRESOLUTION 3000\n"
        "EXPORT g.txt SUM\nVELOCITY 100\nEXPORT v.txt SUM\nVELOCITY 0\nPROFILE VOIGT\n"
        "FWHM 0.5 0.5\nEXPORT w.txt SUM\nPROFILE GAUSSIAN\nFWHM 0.05\nTEMPERATURE 1\n"
        "EXPORT t1.txt SUM\nGOTO 3100\nEXPORT t2.txt SUM\n");
    const Run run = Spekla({"iron.sef", "--batch", "commands.txt"});
    QCOMPARE(run.status, 0);
    const Peak gaussian = PeakOf(m_installation->File("g.txt"));
    QVERIFY(std::abs(gaussian.fwhm - 1.0) < 0.005 && std::abs(gaussian.centre - 3000.0) < 0.002);
    QVERIFY(std::abs(PeakOf(m_installation->File("v.txt")).centre - 3001.0009) < 0.002);
    QVERIFY(std::abs(PeakOf(m_installation->File("w.txt")).fwhm - 0.8188) < 0.01);
    const auto emission = [](const AtomicLine& line, double wavelength) {
        return line.upperWeight * line.aki * std::exp(-line.upperEnergy * 1.239841984e-4) /
               wavelength;
    };
    const double ratio = PeakOf(m_installation->File("t2.txt")).height /
                         PeakOf(m_installation->File("t1.txt")).height;
    QVERIFY2(std::abs(ratio / (emission(weak, 3100.0) / emission(strong, 3000.0)) - 1.0) < 0.01,
             qPrintable(QString::number(ratio)));
}
