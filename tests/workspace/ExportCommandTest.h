#pragma once

#include <QObject>

class ExportCommandTest : public QObject {
    Q_OBJECT

private slots:
    void TypedExportWritesTheFile();
    void BadRangeWarnsAndWritesNothing_data();
    void BadRangeWarnsAndWritesNothing();
    void FailedWriteWarnsAndKeepsTheOldFile();
    void HomeFolderStandsForTilde();
    void MenuItemAsksFirst();
    void CancelWritesNothing();
};
