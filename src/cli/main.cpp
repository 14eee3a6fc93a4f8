#include "cli/ChordCommand.h"
#include "cli/ConvertCommand.h"
#include "cli/SpellCommand.h"

#include <QDir>
#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

int usage(QTextStream &err)
{
    err << "usage: songloom-cli chord --name NAME [--top TEXT] [--dot STRING:FRET]... "
           "[--bar FRET] [--scale N] -o FILE\n"
           "       songloom-cli chord --define \"CHORDPRO DEFINITION\" [--scale N] (-o FILE | --output-dir DIR)\n"
           "       songloom-cli convert IN OUT\n";
    return 2;
}

// The offscreen platform wants a private runtime folder; a shell started
// outside a desktop session (a build, CI) may have none.
void ensureRuntimeFolder()
{
#ifdef Q_OS_UNIX
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QByteArray folder =
        QDir::tempPath().toLocal8Bit() + "/songloom-runtime-" + QByteArray::number(qulonglong(getuid()));
    if (::mkdir(folder.constData(), 0700) == 0 || errno == EEXIST)
        qputenv("XDG_RUNTIME_DIR", folder);
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    // Rendering and printing need a GUI application, never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ensureRuntimeFolder();
    QGuiApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (args.isEmpty())
        return usage(err);
    const QString command = args.takeFirst();
    if (command == QLatin1String("chord"))
        return runChordCommand(args, out, err);
    if (command == QLatin1String("convert"))
        return runConvertCommand(args, out, err);
    if (command == QLatin1String("spell"))
        return runSpellCommand(args, out, err);
    err << "songloom-cli: unknown command \"" << command << "\"\n";
    return usage(err);
}
