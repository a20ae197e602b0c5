#pragma once

#include <functional>
#include <memory>

#include <QMessageBox>
#include <QObject>
#include <QString>

class QDialog;
class QLineEdit;

// What a message box showed before a test answered it.
struct SeenBox {
    bool shown = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;

    // "caption: text", or an empty text when no box opened.
    QString Caption() const { return shown ? title + ": " + text : QString(); }
};

// Runs `act` and answers every message box it opens with `answer`; gives what the last one
// showed. A box that blocks in its own event loop is found by polling, so `act` may open it at
// any depth.
SeenBox AnswerNextMessageBox(const std::function<void()>& act,
                             QMessageBox::StandardButton answer = QMessageBox::Ok);

// Replaces a field's text by typing, so the field's limits and validator apply.
void Retype(QLineEdit* edit, const QString& keys);

// Clicks the dialog's OK button and answers a message box that opens with OK.
SeenBox ClickOk(QDialog& dialog);

// The child of `parent` of type T named `name` (any when empty); the test stops when none.
template <typename T>
T* Find(const QObject& parent, const QString& name = {})
{
    T* child = parent.findChild<T*>(name);
    if (child == nullptr) {
        qFatal("no %s named '%s'", T::staticMetaObject.className(), qPrintable(name));
    }
    return child;
}

// Adds a Qt Test class to the binary's test run; the shared main runs every class added.
int RegisterQtTest(std::function<std::unique_ptr<QObject>()> make);

#define SPEKLA_QTEST(Class) \
    static const int Class##Registered = RegisterQtTest([] { return std::make_unique<Class>(); })
