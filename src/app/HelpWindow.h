#pragma once

#include <QDialog>

class QTextBrowser;

// The help file, an HTML page in the program folder, in a window of its own
// beside the main window.
class HelpWindow final : public QDialog
{
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Loads the help file; false when it is missing or unreadable.
    bool open(const QString &helpFile);

private:
    QTextBrowser *m_browser = nullptr;
};
