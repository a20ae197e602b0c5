#pragma once

#include <QLabel>

// A status-bar indicator of a key's toggle state, as Num Lock has one: every press of the key
// anywhere in the program flips it, and it shows greyed while off. Key repeats do not count.
class ModeIndicator : public QLabel {
    Q_OBJECT

public:
    ModeIndicator(const QString& text, Qt::Key key, QWidget* parent);

    bool IsOn() const { return m_on; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Qt::Key m_key;
    bool m_on = false;
    quint64 m_lastPress = 0;  // time stamp of the press last counted
};
