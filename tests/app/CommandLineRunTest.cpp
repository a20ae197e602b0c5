#include "support/QtTestSupport.h"
#include "support/TestFiles.h"

#include <cmath>
#include <filesystem>
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
