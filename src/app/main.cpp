#include "base/Module1.h"
#include "app/Startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(AppTitle());
    QApplication::setOrganizationName(QStringLiteral("Songloom"));
    QApplication::setApplicationVersion(QStringLiteral(SONGLOOM_VERSION));
    setAppPath(QCoreApplication::applicationDirPath());
    Main();
    return app.exec();
}
