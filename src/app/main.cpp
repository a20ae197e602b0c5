#include "app/TSDIDecFrame.h"
#include "app/TSpeklaApp.h"

#include <QApplication>
#include <QDir>

// Spekla starts on the installation in its working directory.
int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(TSpeklaApp::kName);
    QApplication::setOrganizationName(TSpeklaApp::kName);
    QApplication::setApplicationVersion(SPEKLA_VERSION);
    TSpeklaApp spekla;
    spekla.InitInstance(QDir::currentPath());
    const int result = QApplication::exec();
    return spekla.TermInstance() ? result : 1;
}
