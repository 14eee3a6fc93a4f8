#include "app/HelpWindow.h"

#include "base/Module1.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(AppTitle() + QStringLiteral(" Help"));
    resize(560, 520);
    auto *layout = new QVBoxLayout(this);
    m_browser = new QTextBrowser(this);
    m_browser->setOpenExternalLinks(true);
    layout->addWidget(m_browser);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addWidget(buttons);
}

bool HelpWindow::open(const QString &helpFile)
{
    QFile file(helpFile);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // The help file keeps its .hlp name but holds HTML; pictures it names lie beside it.
    m_browser->setSearchPaths({QFileInfo(helpFile).absolutePath()});
    m_browser->setHtml(QString::fromUtf8(file.readAll()));
    return true;
}
