#pragma once

#include <QObject>

// TInputDialog as a user meets it: what OK and Cancel do with the text, the box that explains a
// wrong number, and what typing can and cannot put into the field.
class InputDialogTest : public QObject {
    Q_OBJECT

private slots:
    void buttons_data();
    void buttons();
    void typing_data();
    void typing();
};
