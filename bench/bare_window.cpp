// The yardstick for the start-up benchmark: a bare Qt main window with a
// menu bar, a tool bar and a text edit. With SONGLOOM_REPORT_LIST_TIMES set
// it prints "shown" and the time (milliseconds since the epoch) when the
// text edit first paints, as Songloom's chord list does.

#include <QApplication>
#include <QDateTime>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyle>
#include <QTextEdit>
#include <QToolBar>

#include <cstdio>

namespace {

class FirstPaint final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_reported) {
            m_reported = true;
            if (qEnvironmentVariableIsSet("SONGLOOM_REPORT_LIST_TIMES")) {
                std::printf("shown %lld\n", static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
                std::fflush(stdout);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_reported = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    for (const char *title : {"&File", "&Edit", "&View", "&Tools", "&Help"}) {
        QMenu *menu = window.menuBar()->addMenu(QString::fromLatin1(title));
        for (int item = 1; item <= 6; ++item)
            menu->addAction(QStringLiteral("Item %1").arg(item));
    }
    QToolBar *toolBar = window.addToolBar(QStringLiteral("Tools"));
    for (QStyle::StandardPixmap icon : {QStyle::SP_FileIcon, QStyle::SP_DirOpenIcon, QStyle::SP_DialogSaveButton,
                                        QStyle::SP_DialogDiscardButton, QStyle::SP_ArrowBack,
                                        QStyle::SP_ArrowForward, QStyle::SP_DialogHelpButton})
        toolBar->addAction(window.style()->standardIcon(icon), QStringLiteral("Action"));
    auto *text = new QTextEdit(&window);
    text->setPlainText(QStringLiteral("A bare window"));
    window.setCentralWidget(text);
    FirstPaint probe;
    text->viewport()->installEventFilter(&probe);
    window.resize(525, 362);
    window.show();
    return app.exec();
}
