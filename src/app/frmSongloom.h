#pragma once

#include <QMainWindow>

class frmSongloom final : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmSongloom(QWidget *parent = nullptr);
};
