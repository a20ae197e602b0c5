#include "app/TProjectRCVersion.h"
#include "app/TSpeklaAboutDlg.h"
#include "support/QtTestSupport.h"

#include <QObject>
#include <QTest>

class AboutBoxTest : public QObject {
    Q_OBJECT

private slots:
    void LinesComeFromTheVersionBlock();
};

// Name and version go together: one alone leaves the version line as it was. The program's own
// block carries the build's version.
void AboutBoxTest::LinesComeFromTheVersionBlock()
{
    std::map<std::string, std::string> block = {{"ProductName", "Spekla"},
                                                {"ProductVersion", "2.1.0"},
                                                {"LegalCopyright", "Copyright A\nB"},
                                                {"SpecialBuild", "Test build"}};
    const TSpeklaAboutDlg full(nullptr, TProjectRCVersion(block));
    QCOMPARE(QStringList({full.VersionText(), full.LegalText(), full.SpecialBuildText()}),
             QStringList({"Spekla Version 2.1.0", "Copyright A\nB", "Test build"}));
    block.erase("ProductVersion");
    QCOMPARE(TSpeklaAboutDlg(nullptr, TProjectRCVersion(block)).VersionText(), QString("Version"));
    std::string version;
    QVERIFY(TProjectRCVersion().GetProductVersion(version));
    QCOMPARE(QString::fromStdString(version), QString(SPEKLA_TEST_VERSION));
}

SPEKLA_QTEST(AboutBoxTest);

#include "AboutBoxTest.moc"
