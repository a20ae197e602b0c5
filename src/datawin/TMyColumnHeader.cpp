#include "datawin/TMyColumnHeader.h"

#include <QFontMetrics>
#include <QStandardItemModel>

namespace {

constexpr int kShortTitle = 5;  // titles shorter than this are sized by the sample text
constexpr int kTitlePadding = 15;

}  // namespace

TMyColumnHeader::TMyColumnHeader(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), m_titles(new QStandardItemModel(this))
{
    setModel(m_titles);
    setSectionsClickable(true);
    setSectionsMovable(false);
    setSectionResizeMode(QHeaderView::Interactive);
    setStretchLastSection(false);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setMinimumSectionSize(8);
}

void TMyColumnHeader::SetTitles(const QStringList& titles, const QStringList& toolTips)
{
    if (m_titles->columnCount() != titles.size()) {
        m_titles->setColumnCount(static_cast<int>(titles.size()));
    }
    for (int section = 0; section < titles.size(); ++section) {
        QStandardItem* item = m_titles->horizontalHeaderItem(section);
        if (item == nullptr || item->text() != titles[section]) {
            item = new QStandardItem(titles[section]);
            m_titles->setHorizontalHeaderItem(section, item);
        }
        if (item->toolTip() != toolTips.value(section)) {
            item->setToolTip(toolTips.value(section));
        }
    }
}

QString TMyColumnHeader::Title(int section) const
{
    const QStandardItem* item = m_titles->horizontalHeaderItem(section);
    return item == nullptr ? QString() : item->text();
}

void TMyColumnHeader::FitToFont(const QFont& font)
{
    setFont(font);
    const QFontMetrics metrics(font);
    for (int section = 0; section < count(); ++section) {
        const QString title = Title(section);
        const QString measured = title.size() < kShortTitle ? QString(kSampleText) : title;
        resizeSection(section, metrics.horizontalAdvance(measured) + kTitlePadding);
    }
}
