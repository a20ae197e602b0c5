#include "support/QtTestSupport.h"
#include "support/TestFiles.h"

#include <memory>
#include <utime.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

class TempFolder;

// The program started as a user starts it: a separate process in a small installation, with its
// own settings and desktop data folders, given options and command files.
class CommandLineRunTest : public QObject {
    Q_OBJECT

public:
    CommandLineRunTest();
    ~CommandLineRunTest() override;

private slots:
    void init();
    void BatchExportsAndSucceeds();
    void BatchStopsAtTheFirstRefusedCommand_data();
    void BatchStopsAtTheFirstRefusedCommand();
    void FilesGivenAtStartAreLoaded();
    void FileTypesAreRegisteredOnceAndUnregisteredExactly();

private:
    struct Run {
        int status = -1;
        QString errors;
    };
    // Runs the program in the installation; `window` keeps the offscreen platform, otherwise
    // the program must choose one for itself.
    Run Spekla(const QStringList& arguments, bool window = false) const;
    QString InData(const QString& path) const;
    QString InConfig(const QString& name) const;

    std::unique_ptr<TempFolder> m_installation;
    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<QTemporaryDir> m_data;
};

namespace {

QString ReadText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The files a registration writes below the data folder.
const QStringList kDesktopFiles = {
    "mime/packages/spekla.xml",
    "applications/spekla.desktop",
    "icons/hicolor/scalable/apps/spekla.svg",
    "icons/hicolor/scalable/mimetypes/application-x-spekla-table.svg",
    "icons/hicolor/scalable/mimetypes/application-x-spekla-elements.svg",
};

}  // namespace

CommandLineRunTest::CommandLineRunTest() = default;
CommandLineRunTest::~CommandLineRunTest() = default;

void CommandLineRunTest::init()
{
    m_installation = std::make_unique<TempFolder>();
    m_config = std::make_unique<QTemporaryDir>();
    m_data = std::make_unique<QTemporaryDir>();
    std::vector<LineRecord> lines;
    for (int i = 0; i < 3000; ++i) {
        lines.push_back(Line(2000000 + 250 * i, static_cast<uint8_t>(i % 3)));
    }
    m_installation->WriteTable("first.swt", lines);
    m_installation->WriteText("ELEMENTS", "1 0 0 H\n26 3 7 Fe\n29 3 10 Cu\n");
    m_installation->WriteText("DESCRIPT", "blended\n");
}

CommandLineRunTest::Run CommandLineRunTest::Spekla(const QStringList& arguments, bool window) const
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("SPEKLA_CONFIG_DIR", m_config->path());
    environment.insert("XDG_DATA_HOME", m_data->path());
    if (!window) {
        environment.remove("QT_QPA_PLATFORM");
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
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

QString CommandLineRunTest::InData(const QString& path) const
{
    return m_data->filePath(path);
}

QString CommandLineRunTest::InConfig(const QString& name) const
{
    return m_config->filePath(name);
}

void CommandLineRunTest::BatchExportsAndSucceeds()
{
    m_installation->WriteText("commands.txt", "# a short run\n\nEXPORT out.txt DATA 2\n");
    const Run run = Spekla({"--batch", "commands.txt"});
    QCOMPARE(run.status, 0);
    QVERIFY2(!run.errors.contains("spekla:"), qPrintable(run.errors));
    const QString exported = ReadText(QString::fromStdString(m_installation->File("out.txt")));
    QVERIFY(exported.contains("2000.000"));
    QVERIFY(exported.contains("2001.000"));
    // A run without a window leaves the settings and the desktop as they were.
    QVERIFY(!QFile::exists(InConfig("HKEY_CURRENT_USER.reg")));
    QVERIFY(!QFile::exists(InData("applications/spekla.desktop")));
}

void CommandLineRunTest::BatchStopsAtTheFirstRefusedCommand_data()
{
    QTest::addColumn<QString>("commands");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("error");
    const QString exportLine = "\nEXPORT out.txt DATA 2\n";
    QTest::newRow("warning") << "DECIMALS 9" + exportLine << 1
                             << "Number of decimals places must be from 0-4 inclusive.";
    QTest::newRow("unknown word") << "FROBNICATE" + exportLine << 1 << "no command matches";
    QTest::newRow("dialog") << "EXPORT" + exportLine << 1 << "dialog";
    QTest::newRow("quit ends the file") << "QUIT\nDECIMALS 9\n" << 0 << "";
}

void CommandLineRunTest::BatchStopsAtTheFirstRefusedCommand()
{
    QFETCH(QString, commands);
    QFETCH(int, status);
    QFETCH(QString, error);
    m_installation->WriteText("commands.txt", commands.toStdString());
    const Run run = Spekla({"--batch", "commands.txt"});
    QCOMPARE(run.status, status);
    QVERIFY2(error.isEmpty() ? !run.errors.contains("spekla:") : run.errors.contains(error),
             qPrintable(run.errors));
    QVERIFY(!QFile::exists(QString::fromStdString(m_installation->File("out.txt"))));
}

void CommandLineRunTest::FilesGivenAtStartAreLoaded()
{
    m_installation->WriteText("iron.sef", "Fe 1\n");
    m_installation->WriteText("commands.txt", "EXPORT out.txt DATA 2\n");
    Run run = Spekla({"iron.sef", "--batch", "commands.txt", "-o"});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.errors.contains("missing file name after -o"), qPrintable(run.errors));
    const QString exported = ReadText(QString::fromStdString(m_installation->File("out.txt")));
    QVERIFY(exported.contains("2000.250"));   // the iron line
    QVERIFY(!exported.contains("2000.000"));  // hydrogen's, not selected

    run = Spekla({"-e", "missing.sef", "first.swt", "--batch", "commands.txt"});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.errors.contains("Could not access element file."), qPrintable(run.errors));
    QVERIFY(run.errors.contains("tables are read from the installation folder"));
}

void CommandLineRunTest::FileTypesAreRegisteredOnceAndUnregisteredExactly()
{
    m_installation->WriteText("quit.txt", "QUIT\n");
    QCOMPARE(Spekla({"--run", "quit.txt"}, true).status, 0);
    for (const QString& file : kDesktopFiles) {
        QVERIFY2(QFile::exists(InData(file)), qPrintable(file));
    }
    const QString entry = ReadText(InData("applications/spekla.desktop"));
    QVERIFY(entry.contains("Exec=" + QFileInfo(SPEKLA_PROGRAM).absoluteFilePath() + " %f\n"));
    QVERIFY(entry.contains("Path=" + QString::fromStdString(m_installation->Path()) + "\n"));
    QVERIFY(ReadText(InData("mime/packages/spekla.xml")).contains("Spekla Element File"));
    QVERIFY(ReadText(InConfig("HKEY_CLASSES_ROOT.reg")).contains("[HKEY_CLASSES_ROOT\\.swt]"));
    QVERIFY(QFile::exists(InConfig("HKEY_CURRENT_USER.reg")));

    // The next start finds everything in place and writes nothing.
    const utimbuf old{1000, 1000};
    for (const QString& file : kDesktopFiles + QStringList{InConfig("HKEY_CLASSES_ROOT.reg")}) {
        const QString path = file.startsWith('/') ? file : InData(file);
        QCOMPARE(::utime(QFile::encodeName(path).constData(), &old), 0);
    }
    QCOMPARE(Spekla({"--run", "quit.txt"}, true).status, 0);
    for (const QString& file : kDesktopFiles) {
        QCOMPARE(QFileInfo(InData(file)).lastModified().toSecsSinceEpoch(), 1000);
    }
    QCOMPARE(QFileInfo(InConfig("HKEY_CLASSES_ROOT.reg")).lastModified().toSecsSinceEpoch(), 1000);

    // Unregistering takes everything away, and the run does not save its settings again.
    QCOMPARE(Spekla({"--run", "quit.txt", "-un"}, true).status, 0);
    for (const QString& file : kDesktopFiles) {
        QVERIFY2(!QFile::exists(InData(file)), qPrintable(file));
    }
    QVERIFY(!QFile::exists(InConfig("HKEY_CLASSES_ROOT.reg")));
    QVERIFY(!QFile::exists(InConfig("HKEY_CURRENT_USER.reg")));
    // Nor anything the desktop's tools made of the files.
    QVERIFY2(
        QDir(m_data->path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
        qPrintable(
            QDir(m_data->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).join(' ')));
}

SPEKLA_QTEST(CommandLineRunTest);

#include "CommandLineRunTest.moc"
