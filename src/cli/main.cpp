#include "cli/ChordCommand.h"
#include "cli/CliUsage.h"
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
    if (args.isEmpty()) {
        err << CliUsage::programHelp();
        return CliUsage::WrongUsage;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        out << CliUsage::programHelp();
        return CliUsage::Success;
    }
    if (command == QLatin1String("--version") || command == QLatin1String("-V")) {
        out << CliUsage::versionText();
        return CliUsage::Success;
    }
    if (command == QLatin1String("chord"))
        return runChordCommand(args, out, err);
    if (command == QLatin1String("convert")) {
        if (args.size() == 1 && (args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h"))) {
            out << CliUsage::convertHelp();
            return CliUsage::Success;
        }
        return runConvertCommand(args, out, err);
    }
    if (command == QLatin1String("spell"))
        return runSpellCommand(args, out, err);
    err << "songloom-cli: " << (command.startsWith(QLatin1Char('-')) ? "unknown option" : "unknown command")
        << " \"" << command << "\"\n"
        << CliUsage::hint(QString());
    return CliUsage::WrongUsage;
}
