#include "StartupChild.h"

#include "StartupClock.h"
#include "StartupWatch.h"
#include "app/TSpeklaApp.h"

#include <cstdio>

#include <QApplication>
#include <QTimer>

StartupChild::StartupChild(int64_t launch, int64_t mainEntered)
    : m_launch(launch), m_mainEntered(mainEntered)
{
}

int StartupChild::Run(const char* programName, const QString& folder)
{
    // Only the program's name: the bench's own arguments are no business of Qt's.
    int argc = 1;
    char* argv[] = {const_cast<char*>(programName), nullptr};
    QApplication application(argc, argv);
    QApplication::setApplicationName(TSpeklaApp::kName);
    QApplication::setOrganizationName(TSpeklaApp::kName);
    QApplication::setApplicationVersion(SPEKLA_VERSION);
    m_applicationMade = StartupClock::Now();
    StartupWatch watch;
    TSpeklaApp spekla;
    spekla.InitInstance(folder.toStdString());
    m_initReturned = StartupClock::Now();
    if (!watch.Attach(spekla)) {
        std::fprintf(stderr, "spekla-startup-bench: the program did not show all three panes\n");
        return 1;
    }
    QObject::connect(&watch, &StartupWatch::Complete, &application, [] { QApplication::exit(0); });
    QTimer::singleShot(kGiveUpMilliseconds, &application, [&watch] {
        std::fprintf(stderr, "spekla-startup-bench: no complete paint within %d s: %s\n",
                     kGiveUpMilliseconds / 1000, qPrintable(watch.Missing()));
        QApplication::exit(1);
    });
    const int result = QApplication::exec();
    if (result == 0) {
        PrintFigures(watch);
    }
    // No TermInstance: the settings and ELEMENTS stay as they were.
    return result;
}

void StartupChild::PrintFigures(const StartupWatch& watch) const
{
    PrintTime("main_entered_ms", m_mainEntered);
    PrintTime("app_constructed_ms", m_applicationMade);
    PrintTime("init_returned_ms", m_initReturned);
    PrintTime("first_paint_ms", watch.AllPainted().value_or(0));
    PrintTime("startup_ms", watch.Completed().value_or(0));
    std::printf("# %s\n", qPrintable(watch.Summary()));
    std::fflush(stdout);
}

void StartupChild::PrintTime(const char* name, int64_t stamp) const
{
    std::printf("%s: %.2f\n", name, static_cast<double>(stamp - m_launch) / 1e6);
}
