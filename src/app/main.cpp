#include "base/Module1.h"
#include "app/Startup.h"

#include <QApplication>
#include <QIcon>

namespace {

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/songloom-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

int main(int argc, char *argv[])
{
    // Help and version are answered without a display.
    if (asksOnlyForText(argc, argv)) {
        QCoreApplication app(argc, argv);
        describeApplication(QStringLiteral(SONGLOOM_VERSION));
        parseCommandLine(QCoreApplication::arguments());
        return 0;
    }
    QApplication app(argc, argv);
    describeApplication(QStringLiteral(SONGLOOM_VERSION));
    // Desktops match the windows to the installed menu entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.hollowpine.Songloom"));
    QApplication::setWindowIcon(programIcon());
    setAppPath(QCoreApplication::applicationDirPath());
    Main(parseCommandLine(QCoreApplication::arguments()));
    return app.exec();
}
