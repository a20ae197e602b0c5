#include "database/TableArray.h"
#include "database/TextTables.h"
#include "datawin/TDataWindow.h"
#include "datawin/TMyColumnHeader.h"
#include "framework/SettingsStore.h"
#include "support/QtTestSupport.h"
#include "support/TestFiles.h"

#include <QImage>
#include <QObject>
#include <QScrollBar>
#include <QTest>

class DataWindowTest : public QObject {
    Q_OBJECT

private slots:
    void GroupsOfThreeSourcesShareOneMarkedRow();
    void ScrollingMatchesAFullPaint();
};

namespace {

// Three sources listing the same 200 lines, 1 Å apart from 4000 Å, with a description wider
// than a source column, and one more source with lines of its own; a window on them with the
// list filled around 4100 Å.
struct ListWindow {
    ListWindow() : store(SettingsStore::Root::CurrentUser, folder.File("settings.reg"))
    {
        folder.WriteText("ELEMENTS", ElementsText({"H", "Fe", "Cu"}));
        std::vector<LineRecord> lines;
        for (int32_t i = 0; i < 200; ++i) {
            lines.push_back(Line(4000000 + 1000 * i, 1, 1, 20));
        }
        for (const char* name : {"a.swt", "b.swt", "c.swt"}) {
            folder.WriteTable(name, lines);
        }
        folder.WriteTable("d.swt", {Line(3000000, 2)});
        folder.WriteText("DESCRIPT", "a description far wider than any source column\n");
        text.Load(folder.Path());
        tables.ScanDirectory(folder.Path());
        tables.GoToWavelength(4100000);
        while (tables.FillStep()) {
        }
    }

    std::unique_ptr<TDataWindow> Open()
    {
        auto window = std::make_unique<TDataWindow>(text, tables, store);
        window->resize(500, 300);
        window->show();
        [&] { QVERIFY(QTest::qWaitForWindowExposed(window.get())); }();
        return window;
    }

    TempFolder folder;
    TextTables text;
    TableArray tables{text};
    SettingsStore store;
};

QImage Grab(TDataWindow& window)
{
    return window.viewport()->grab().toImage();
}

// Whether any pixel of the rectangle differs from `background`.
bool HasInk(const QImage& image, const QRect& area, QRgb background)
{
    QImage blank(area.size(), image.format());
    blank.fill(QColor::fromRgba(background));
    return image.copy(area) != blank;
}

QRect CellOf(TDataWindow& window, int section, int top, int height)
{
    return QRect(window.Header()->sectionViewportPosition(section), top,
                 window.Header()->sectionSize(section), height);
}

}  // namespace

void DataWindowTest::GroupsOfThreeSourcesShareOneMarkedRow()
{
    ListWindow list;
    auto window = list.Open();
    // Columns: wavelength, element, a, b, c, d, Ref.
    const QImage image = Grab(*window);
    const int h = QFontMetrics(window->RowFont()).lineSpacing();
    const int marker = (window->viewport()->height() - h) / 2;
    const QRgb highlight = window->palette().color(QPalette::Highlight).rgb();
    QCOMPARE(image.pixel(window->viewport()->width() - 2, marker + h / 2), highlight);
    for (int section : {0, 1, 2, 3, 4}) {
        QVERIFY2(HasInk(image, CellOf(*window, section, marker, h), highlight),
                 qPrintable(window->Header()->Title(section)));
    }
    QVERIFY(!HasInk(image, CellOf(*window, 5, marker, h), highlight));  // d has no such line
    // The row above holds the previous wavelength of all three, not three rows of one, and the
    // description is cut, not the intensity.
    const QRgb base = window->palette().color(QPalette::Base).rgb();
    QVERIFY(window->Header()->sectionSize(2) < 100);
    QVERIFY(HasInk(image, CellOf(*window, 2, marker - h, h), base));
    QVERIFY(HasInk(image, CellOf(*window, 4, marker - h, h), base));
    QCOMPARE(window->verticalScrollBar()->value(),
             static_cast<int>(list.tables.DisplayList().Cursor()));
    // Ref is stretched; dragging it changes its own width by the drag only.
    window->Header()->resizeSection(6, window->Header()->sectionSize(6) + 10);
    QCOMPARE(window->Columns().back().width, DataColumns::kReferenceWidth + 10);
}

// Moving the pixels and painting what was uncovered gives what a full paint gives.
void DataWindowTest::ScrollingMatchesAFullPaint()
{
    ListWindow list;
    auto window = list.Open();
    for (int groups : {2, -3}) {
        window->ScrollBy(list.tables.MoveBy(groups));
        QApplication::processEvents();
        const QImage scrolled = Grab(*window);
        window->viewport()->repaint();
        QCOMPARE(scrolled, Grab(*window));
    }
}

SPEKLA_QTEST(DataWindowTest);

#include "DataWindowTest.moc"
