#pragma once

#include <QEvent>
#include <QString>

// A notification between the frame, the workspace and the panes, carrying its message number
// (see UserMessages.h) and two parameters: a number and, where the message has one, a text.
// Post it with QCoreApplication::postEvent to queue it, or send it to handle it at once.
class UserMessage : public QEvent {
public:
    static const QEvent::Type kType;

    UserMessage(int number, qintptr first = 0, QString text = {});

    int Number() const { return m_number; }
    qintptr First() const { return m_first; }
    const QString& Text() const { return m_text; }

    // Queues the message for `receiver`.
    static void Post(QObject* receiver, int number, qintptr first = 0, QString text = {});

private:
    int m_number;
    qintptr m_first;
    QString m_text;
};
