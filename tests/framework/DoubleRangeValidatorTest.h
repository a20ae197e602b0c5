#pragma once

#include <QObject>

// TDoubleRangeValidator: the state it gives each text, whatever the locale.
class DoubleRangeValidatorTest : public QObject {
    Q_OBJECT

private slots:
    void states_data();
    void states();
};
