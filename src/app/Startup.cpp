#include "app/Startup.h"
#include "library/ChordLibraryFolders.h"

#include "base/DataFolders.h"
#include "base/Module1.h"
#include "app/frmSongloom.h"
#include "app/frmSplash.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QUrl>

#include <cstring>

void describeApplication(const QString &version)
{
    QCoreApplication::setApplicationName(AppTitle());
    QCoreApplication::setOrganizationName(QStringLiteral("Songloom"));
    QCoreApplication::setApplicationVersion(version);
}

bool asksOnlyForText(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        for (const char *option : {"-h", "--help", "--help-all", "-?", "-v", "--version"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

StartOptions parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Songloom writes song sheets: lyrics in rich text with chord diagrams (ChordBoxes)\n"
                       "among the lines, chord libraries beside the song, spell checking and printing."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("song"),
                                 QStringLiteral("A song (an RTF file) to open at start, after the new song."),
                                 QStringLiteral("[song]"));
    parser.process(arguments);

    StartOptions options;
    const QStringList songs = parser.positionalArguments();
    if (!songs.isEmpty()) {
        QString song = songs.first();
        // File managers may hand over a URL rather than a path.
        if (song.startsWith(QLatin1String("file:")))
            song = QUrl(song).toLocalFile();
        options.songPath = QFileInfo(song).absoluteFilePath();
    }
    return options;
}

void Main(const StartOptions &options)
{
    // An installed program folder stays untouched: the user's files go to
    // the user's own folders, decided before anything is read or shown.
    QString error;
    if (!DataFolders::setUpForProgramFolder(AppPath(), &error))
        qWarning("songloom: %s", qPrintable(error));

    auto *splash = new frmSplash;
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    gstrChordLibPath = ChordLibraryFolders::defaultLibraryPath(DataFolders::DataPath());

    gfrmMain = new frmSongloom;
    gfrmMain->setAttribute(Qt::WA_DeleteOnClose);
    // Closing the main window ends the program, whatever else is open.
    QObject::connect(gfrmMain, &frmSongloom::unloaded, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    gfrmMain->Form_Load();
    if (!options.songPath.isEmpty())
        gfrmMain->openAtStart(options.songPath);

    delete splash;
    gfrmMain->show();
}
