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
    void topicsLinksAndEntities();
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

// An empty text when `page` exists and has an element of id `anchor` (when one is given).
QString Missing(const QString& page, const QString& anchor)
{
    const QString html = PageHtml(page);
    if (html.isEmpty()) {
        return page + " is missing";
    }
    return anchor.isEmpty() || html.contains("id=\"" + anchor + "\"")
               ? QString()
               : page + " has no id " + anchor;
}

QStringList PageFiles()
{
    return QDir(":/help").entryList({"*.html"}, QDir::Files, QDir::Name);
}

}  // namespace

void HelpPagesTest::initTestCase()
{
    THelpWindow::LoadPages();
    QVERIFY2(!PageFiles().isEmpty(), "no help pages in the resources");
}

// Every topic's page and anchor exist; on every page each link to a page (relative: page,
// page#anchor or #anchor) arrives, a misspelt entity would show as its source text, the title
// is set, and the page is in the contents, else only a link could find it.
void HelpPagesTest::topicsLinksAndEntities()
{
    for (const HelpTopic& topic : HelpTopicTable()) {
        QCOMPARE(Missing(Text(topic.page), Text(topic.anchor)), QString());
    }
    QStringList listed;
    for (const HelpPage& page : HelpPages()) {
        listed << Text(page.file);
    }
    listed.sort();
    QCOMPARE(PageFiles(), listed);
    static const QRegularExpression href("href=\"([^\"]*)\"");
    static const QRegularExpression entity("&#?\\w+;");
    for (const QString& page : PageFiles()) {
        for (const QRegularExpressionMatch& link : href.globalMatch(PageHtml(page))) {
            const QString target = link.captured(1);
            if (!target.contains(':')) {  // not http:, https: or mailto:
                const QString file = target.section('#', 0, 0);
                QCOMPARE(Missing(file.isEmpty() ? page : file, target.section('#', 1)), QString());
            }
        }
        QTextDocument document;
        document.setHtml(PageHtml(page));
        QCOMPARE(page + " " + entity.match(document.toPlainText()).captured(), page + " ");
        QVERIFY2(!document.metaInformation(QTextDocument::DocumentTitle).isEmpty(),
                 qPrintable(page));
    }
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
// one may: element symbols take many short words. Symbols are spelled out in the anchors.
void HelpPagesTest::keywordIsDocumented()
{
    QFETCH(QString, keyword);
    TextTables text;
    if (!text.LoadElements(SPEKLA_DATA_DIR "/ELEMENTS") || text.ElementTable.empty()) {
        QSKIP("the standard element table is missing");
    }
    const QMap<QString, QString> spelled = {{"+", "plus"}, {"-", "minus"}, {"?", "question"}};
    const QRegularExpression entry("<dt id=\"cmd-" +
                                   QRegularExpression::escape(spelled.value(keyword, keyword)) +
                                   "\"><code>" + QRegularExpression::escape(keyword) +
                                   "</code>[^\\n]*class=\"abbr\">([^<]+)</code></dt>");
    const QRegularExpressionMatch match = entry.match(PageHtml("commands.html"));
    QVERIFY2(match.hasMatch(), "no entry with its shortest form");
    const QString shortest = match.captured(1);
    QVERIFY(keyword.startsWith(shortest) && !shortest.isEmpty());
    const CommandList keywords = CommandList::ForElements(text);
    for (qsizetype length = 1; length <= shortest.size(); ++length) {
        const auto found = keywords.Find(shortest.left(length).toStdString());
        const bool reaches = found && !found->isElement && found->keyword == keyword.toStdString();
        QCOMPARE(reaches, length == shortest.size());
    }
}

SPEKLA_QTEST(HelpPagesTest);

#include "HelpPagesTest.moc"
