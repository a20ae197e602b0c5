#include "app/ModeIndicator.h"

#include <QApplication>
#include <QKeyEvent>

ModeIndicator::ModeIndicator(const QString& text, Qt::Key key, QWidget* parent)
    : QLabel(text, parent), m_key(key)
{
    setAlignment(Qt::AlignCenter);
    setEnabled(false);
    qApp->installEventFilter(this);
}

// A press reaches the program as a shortcut check and, unless a shortcut takes it, as a key
// press; either may be passed on from widget to parent. All of these carry the press's time
// stamp, so each press counts once.
bool ModeIndicator::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (key->key() == m_key && !key->isAutoRepeat() && key->timestamp() != m_lastPress) {
            m_lastPress = key->timestamp();
            m_on = !m_on;
            setEnabled(m_on);
        }
    }
    return false;
}
