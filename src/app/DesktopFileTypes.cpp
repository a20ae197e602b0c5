#include "app/DesktopFileTypes.h"

#include "app/FileTypeRegistration.h"
#include "framework/SettingsStore.h"

#include <cstdio>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

// The resources live in a static library, whose registration the linker would drop unless
// something refers to it; the macro must be used outside any namespace.
static void RegisterDesktopFiles()
{
    Q_INIT_RESOURCE(desktop);
}

namespace {

QByteArray Resource(const QString& name)
{
    QFile file(":/desktop/" + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

FileTypeRegistration Registration(const QString& folder)
{
    static const bool registered = (RegisterDesktopFiles(), true);
    (void)registered;
    const std::string entry = FileTypeRegistration::DesktopEntryFor(
        Resource("spekla.desktop").toStdString(),
        QCoreApplication::applicationFilePath().toStdString(), folder.toStdString());
    const std::string icons = "icons/hicolor/scalable/";
    std::vector<FileTypeRegistration::File> files = {
        {"mime/packages/spekla.xml", Resource("spekla.xml").toStdString()},
        {"applications/spekla.desktop", entry},
        {icons + "apps/spekla.svg", Resource("spekla.svg").toStdString()},
    };
    for (const char* type : {"application-x-spekla-table", "application-x-spekla-elements"}) {
        const QString name = QString(type) + ".svg";
        files.push_back({icons + "mimetypes/" + name.toStdString(), Resource(name).toStdString()});
    }
    return FileTypeRegistration(FileTypeRegistration::DataHome(), std::move(files));
}

// The desktop reads the MIME database and the entries' cache, not the files themselves.
void RenewDesktopCaches()
{
    const QString data = QString::fromStdString(FileTypeRegistration::DataHome());
    const std::pair<const char*, QString> tools[] = {
        {"update-mime-database", data + "/mime"},
        {"update-desktop-database", data + "/applications"},
    };
    for (const auto& [tool, folder] : tools) {
        const QString program = QStandardPaths::findExecutable(tool);
        if (program.isEmpty() || !QFileInfo::exists(folder)) {
            continue;
        }
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(program, {folder});
        process.waitForFinished(20000);
    }
}

}  // namespace

void DesktopFileTypes::Register(const QString& folder)
{
    SettingsStore classes(SettingsStore::Root::ClassesRoot);
    if (classes.Load() && FileTypeRegistration::WriteKeys(
                              classes, QCoreApplication::applicationFilePath().toStdString())) {
        classes.Save();
    }
    std::string error;
    const int written = Registration(folder).Install(&error);
    if (written < 0) {
        std::fprintf(stderr, "spekla: file types not registered: %s\n", error.c_str());
    }
    if (written != 0) {
        RenewDesktopCaches();
    }
}

void DesktopFileTypes::Unregister()
{
    SettingsStore classes(SettingsStore::Root::ClassesRoot);
    if (classes.Load() && FileTypeRegistration::RemoveKeys(classes)) {
        SaveOrRemove(classes);
    }
    if (Registration(QString()).Uninstall() > 0) {
        RenewDesktopCaches();
    }
}

void DesktopFileTypes::SaveOrRemove(SettingsStore& store)
{
    if (store.SubKeyNames("").empty()) {
        QFile::remove(QString::fromStdString(store.FilePath()));
    } else if (store.IsModified()) {
        store.Save();
    }
}
