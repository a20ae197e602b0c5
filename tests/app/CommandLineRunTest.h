#pragma once

#include <memory>

#include <QObject>
#include <QStringList>
#include <QTemporaryDir>

class TempFolder;

// The program started as a user starts it: a separate process in a small installation, with its
// own settings and desktop data folders, given options and command files.
class CommandLineRunTest : public QObject {
    Q_OBJECT

public:
    CommandLineRunTest();
    ~CommandLineRunTest() override;

private slots:
    void init();
    void BatchExportsAndSucceeds();
    void BatchStopsAtTheFirstRefusedCommand_data();
    void BatchStopsAtTheFirstRefusedCommand();
    void FilesGivenAtStartAreLoaded();
    void FileTypesAreRegisteredOnceAndUnregisteredExactly();

private:
    struct Run {
        int status = -1;
        QString errors;
    };
    // Runs the program in the installation; `window` keeps the offscreen platform, otherwise
    // the program must choose one for itself.
    Run Spekla(const QStringList& arguments, bool window = false) const;
    QString InData(const QString& path) const;
    QString InConfig(const QString& name) const;

    std::unique_ptr<TempFolder> m_installation;
    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<QTemporaryDir> m_data;
};
