#include "command/CommandList.h"
#include "database/TextTables.h"
#include "framework/HelpTopics.h"
#include "framework/THelpWindow.h"
#include "support/QtTestSupport.h"

#include <QDir>
#include <QFile>
#include <QObject>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>

// The help pages as shipped: every topic's page and anchor exist, every link between pages
// arrives somewhere, every entity renders, and the command-line page documents every keyword
// with its true shortest form.
class HelpPagesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void topicAnchorExists_data();
    void topicAnchorExists();
    void everyPageIsInTheContents();
    void linksArrive_data();
    void linksArrive();
    void entitiesRender_data();
    void entitiesRender();
    void keywordIsDocumented_data();
    void keywordIsDocumented();
};

namespace {

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString PageHtml(const QString& page)
{
    QFile file(":/help/" + page);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool HasAnchor(const QString& html, const QString& anchor)
{
    return html.contains("id=\"" + anchor + "\"");
}

QStringList PageFiles()
{
    return QDir(":/help").entryList({"*.html"}, QDir::Files, QDir::Name);
}

// The anchor of a keyword's entry: symbols are spelled out, as an id of "+" would not read.
QString CommandAnchor(const std::string& keyword)
{
    if (keyword == "+") {
        return "cmd-plus";
    }
    if (keyword == "-") {
        return "cmd-minus";
    }
    if (keyword == "?") {
        return "cmd-question";
    }
    return "cmd-" + QString::fromStdString(keyword);
}

}  // namespace

void HelpPagesTest::initTestCase()
{
    THelpWindow::LoadPages();
    QVERIFY2(!PageFiles().isEmpty(), "no help pages in the resources");
}

void HelpPagesTest::topicAnchorExists_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("anchor");
    for (const HelpTopic& topic : HelpTopicTable()) {
        QTest::addRow("%d", topic.context) << Text(topic.page) << Text(topic.anchor);
    }
}

void HelpPagesTest::topicAnchorExists()
{
    QFETCH(QString, page);
    QFETCH(QString, anchor);
    const QString html = PageHtml(page);
    QVERIFY2(!html.isEmpty(), qPrintable(page + " is missing"));
    if (!anchor.isEmpty()) {
        QVERIFY2(HasAnchor(html, anchor), qPrintable(page + " has no id " + anchor));
    }
}

// A page left out of the contents could only be found by a link.
void HelpPagesTest::everyPageIsInTheContents()
{
    QStringList listed;
    for (const HelpPage& page : HelpPages()) {
        listed << Text(page.file);
        QVERIFY2(!PageHtml(Text(page.file)).isEmpty(), page.file.data());
    }
    listed.sort();
    QCOMPARE(PageFiles(), listed);
}

void HelpPagesTest::linksArrive_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("link");
    static const QRegularExpression href("href=\"([^\"]*)\"");
    for (const QString& page : PageFiles()) {
        auto links = href.globalMatch(PageHtml(page));
        while (links.hasNext()) {
            const QString link = links.next().captured(1);
            QTest::addRow("%s %s", qPrintable(page), qPrintable(link)) << page << link;
        }
    }
}

// Links to other pages are relative: page, page#anchor or #anchor.
void HelpPagesTest::linksArrive()
{
    QFETCH(QString, page);
    QFETCH(QString, link);
    if (link.startsWith("http:") || link.startsWith("https:") || link.startsWith("mailto:")) {
        return;
    }
    const QString target = link.section('#', 0, 0).isEmpty() ? page : link.section('#', 0, 0);
    const QString anchor = link.section('#', 1);
    const QString html = PageHtml(target);
    QVERIFY2(!html.isEmpty(), qPrintable(target + " is missing"));
    if (!anchor.isEmpty()) {
        QVERIFY2(HasAnchor(html, anchor), qPrintable(target + " has no id " + anchor));
    }
}

void HelpPagesTest::entitiesRender_data()
{
    QTest::addColumn<QString>("page");
    for (const QString& page : PageFiles()) {
        QTest::newRow(qPrintable(page)) << page;
    }
}

// A misspelt entity would show as its source text.
void HelpPagesTest::entitiesRender()
{
    QFETCH(QString, page);
    QTextDocument document;
    document.setHtml(PageHtml(page));
    static const QRegularExpression entity("&#?\\w+;");
    const QRegularExpressionMatch left = entity.match(document.toPlainText());
    QVERIFY2(!left.hasMatch(), qPrintable(left.captured()));
    QVERIFY(!document.metaInformation(QTextDocument::DocumentTitle).isEmpty());
}

void HelpPagesTest::keywordIsDocumented_data()
{
    QTest::addColumn<QString>("keyword");
    const TextTables noElements;
    const CommandList fixedKeywords = CommandList::ForElements(noElements);
    for (const Command& command : fixedKeywords.Entries()) {
        QTest::newRow(command.keyword.c_str()) << QString::fromStdString(command.keyword);
    }
}

// The shortest form given must reach the keyword with the standard elements, and no shorter
// one may: element symbols take many short words.
void HelpPagesTest::keywordIsDocumented()
{
    QFETCH(QString, keyword);
    TextTables text;
    if (!text.LoadElements(SPEKLA_DATA_DIR "/ELEMENTS") || text.ElementTable.empty()) {
        QSKIP("the standard element table is missing");
    }
    const CommandList keywords = CommandList::ForElements(text);
    const QRegularExpression entry(
        "<dt id=\"" + QRegularExpression::escape(CommandAnchor(keyword.toStdString())) +
        "\"><code>" + QRegularExpression::escape(keyword) +
        "</code>[^\\n]*class=\"abbr\">([^<]+)</code></dt>");
    const QRegularExpressionMatch match = entry.match(PageHtml("commands.html"));
    QVERIFY2(match.hasMatch(), "no entry with its shortest form");
    const QString shortest = match.captured(1);
    QVERIFY(keyword.startsWith(shortest) && !shortest.isEmpty());
    for (qsizetype length = 1; length <= shortest.size(); ++length) {
        const auto found = keywords.Find(shortest.left(length).toStdString());
        const bool reaches = found && !found->isElement && found->keyword == keyword.toStdString();
        QCOMPARE(reaches, length == shortest.size());
    }
}

SPEKLA_QTEST(HelpPagesTest);

#include "HelpPagesTest.moc"
