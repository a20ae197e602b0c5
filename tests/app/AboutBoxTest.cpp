#include "app/TProjectRCVersion.h"
#include "app/TSpeklaAboutDlg.h"
#include "support/QtTestSupport.h"

#include <QObject>
#include <QTest>

class AboutBoxTest : public QObject {
    Q_OBJECT

private slots:
    void LinesComeFromTheVersionBlock_data();
    void LinesComeFromTheVersionBlock();
    void ProgramBlockCarriesTheBuildVersion();
};

using Block = std::map<std::string, std::string>;
Q_DECLARE_METATYPE(Block)

void AboutBoxTest::LinesComeFromTheVersionBlock_data()
{
    QTest::addColumn<Block>("block");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("legal");
    QTest::addColumn<QString>("special");
    const Block full = {{"ProductName", "Spekla"},
                        {"ProductVersion", "2.1.0"},
                        {"LegalCopyright", "Copyright A\nB"},
                        {"SpecialBuild", "Test build"}};
    QTest::newRow("full") << full << "Spekla Version 2.1.0"
                          << "Copyright A\nB"
                          << "Test build";
    Block noSpecial = full;
    noSpecial.erase("SpecialBuild");
    QTest::newRow("no special build") << noSpecial << "Spekla Version 2.1.0"
                                      << "Copyright A\nB"
                                      << "";
    // Name and version go together: one alone leaves the line as it was.
    QTest::newRow("no version") << Block{{"ProductName", "Spekla"}} << "Version"
                                << ""
                                << "";
}

void AboutBoxTest::LinesComeFromTheVersionBlock()
{
    QFETCH(Block, block);
    TSpeklaAboutDlg dialog(nullptr, TProjectRCVersion(block));
    QTEST(dialog.VersionText(), "version");
    QTEST(dialog.LegalText(), "legal");
    QTEST(dialog.SpecialBuildText(), "special");
}

void AboutBoxTest::ProgramBlockCarriesTheBuildVersion()
{
    std::string version;
    QVERIFY(TProjectRCVersion().GetProductVersion(version));
    QCOMPARE(QString::fromStdString(version), QString(SPEKLA_TEST_VERSION));
}

SPEKLA_QTEST(AboutBoxTest);

#include "AboutBoxTest.moc"
