#pragma once

#include <QHeaderView>

class QStandardItemModel;

// The titles over the line list: one clickable section per column, resizable but never moved
// by the user (a column's place follows what it shows).
class TMyColumnHeader : public QHeaderView {
    Q_OBJECT

public:
    static constexpr const char* kSampleText = "WWWW";

    explicit TMyColumnHeader(QWidget* parent = nullptr);

    // Replaces every title and tool tip (as many as titles); widths of sections that remain are
    // set by the caller.
    void SetTitles(const QStringList& titles, const QStringList& toolTips);
    QString Title(int section) const;
    // Takes `font` and sizes each section to its title in that font, or to the sample text when
    // the title is shorter than five characters, plus 15 pixels.
    void FitToFont(const QFont& font);

private:
    QStandardItemModel* m_titles;
};
