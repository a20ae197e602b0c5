#include "framework/UserMessage.h"

#include <QCoreApplication>

const QEvent::Type UserMessage::kType = static_cast<QEvent::Type>(QEvent::registerEventType());

UserMessage::UserMessage(int number, qintptr first, QString text)
    : QEvent(kType), m_number(number), m_first(first), m_text(std::move(text))
{
}

void UserMessage::Post(QObject* receiver, int number, qintptr first, QString text)
{
    QCoreApplication::postEvent(receiver, new UserMessage(number, first, std::move(text)));
}
