#include "document/rtfText.h"

rtfText::rtfText(QWidget *parent) : QTextEdit(parent) {}
