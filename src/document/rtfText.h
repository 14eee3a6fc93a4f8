#pragma once

#include <QTextEdit>

// The song's rich text control.
class rtfText final : public QTextEdit
{
    Q_OBJECT
public:
    explicit rtfText(QWidget *parent = nullptr);
};
