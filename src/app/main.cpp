#include "app/ProgramOptions.h"
#include "app/TSDIDecFrame.h"
#include "app/TSpeklaApp.h"
#include "framework/FileReplacement.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <QApplication>
#include <QTimer>

namespace {

std::vector<std::string> Arguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

}  // namespace

// Spekla starts on the installation in its working directory.
int main(int argc, char** argv)
{
    FileReplacement::IgnoreWriteSignals();
    // Help, version and a batch run are known before Qt starts: a batch run needs no display.
    const ProgramOptions early = ProgramOptions::Parse(Arguments(argc, argv));
    if (early.showHelp) {
        std::fputs(ProgramOptions::HelpText().c_str(), stdout);
        return 0;
    }
    if (early.showVersion) {
        std::puts("spekla " SPEKLA_VERSION);
        return 0;
    }
    if (early.batch && early.commandFile.empty()) {
        std::fputs("spekla: missing file name after --batch\n", stderr);
        return 2;
    }
    if (early.batch && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(TSpeklaApp::kName);
    QApplication::setOrganizationName(TSpeklaApp::kName);
    QApplication::setApplicationVersion(SPEKLA_VERSION);
    // Read again without the options Qt took for itself (-style, -platform, ...).
    const ProgramOptions options = ProgramOptions::Parse(Arguments(argc, argv));
    TSpeklaApp spekla;
    std::error_code ec;
    spekla.InitInstance(std::filesystem::current_path(ec).string(), options);
    if (options.batch) {
        const int status = spekla.RunCommandFile();
        return spekla.TermInstance() ? status : 1;
    }
    if (!options.commandFile.empty()) {
        QTimer::singleShot(0, &spekla, [&spekla] { spekla.RunCommandFile(); });
    }
    const int result = QApplication::exec();
    return spekla.TermInstance() ? result : 1;
}
