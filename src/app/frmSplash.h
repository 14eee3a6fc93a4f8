#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The splash screen while the main window loads, and the About box. The two
// differ only in the OK button, hidden on the splash.
class frmSplash final : public QDialog
{
    Q_OBJECT
public:
    explicit frmSplash(QWidget *parent = nullptr);

    // Shows the About box modally over the owner; returns when it is closed.
    static void showAbout(QWidget *owner);
    // A fresh About box, not yet shown.
    static frmSplash *createAbout(QWidget *owner);

    QPushButton *cmdClose = nullptr;
    QLabel *lblProductName = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblCompany = nullptr;
    QLabel *lblPlatform = nullptr;

    // The platforms this build runs on.
    static QString platformText();

public slots:
    void reject() override;
};
