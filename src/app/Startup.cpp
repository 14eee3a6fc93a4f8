#include "app/Startup.h"
#include "library/ChordLibraryFolders.h"

#include "base/Module1.h"
#include "app/frmSongloom.h"
#include "app/frmSplash.h"

#include <QApplication>

void Main()
{
    auto *splash = new frmSplash;
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    gstrChordLibPath = ChordLibraryFolders::defaultLibraryPath(AppPath());

    gfrmMain = new frmSongloom;
    gfrmMain->setAttribute(Qt::WA_DeleteOnClose);
    // Closing the main window ends the program, whatever else is open.
    QObject::connect(gfrmMain, &frmSongloom::unloaded, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    gfrmMain->Form_Load();

    delete splash;
    gfrmMain->show();
}
