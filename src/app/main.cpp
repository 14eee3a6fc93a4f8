#include "app/Module1.h"
#include "app/frmSongloom.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setAppPath(QCoreApplication::applicationDirPath());
    frmSongloom window;
    window.show();
    return app.exec();
}
