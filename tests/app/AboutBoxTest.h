#pragma once

#include <QObject>

class AboutBoxTest : public QObject {
    Q_OBJECT

private slots:
    void LinesComeFromTheVersionBlock_data();
    void LinesComeFromTheVersionBlock();
    void ProgramBlockCarriesTheBuildVersion();
};
