#include "app/frmSongloom.h"

frmSongloom::frmSongloom(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Songloom"));
}
