#include "library/ChordListPanel.h"

#include "base/Module1.h"
#include "library/ChordFiles.h"
#include "library/ChordListView.h"

#include <QVBoxLayout>

ChordListPanel::ChordListPanel(QWidget *parent) : QWidget(parent), ListView1(new ChordListView(this))
{
    ListView1->setObjectName(QStringLiteral("ListView1"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ListView1);
}

void ChordListPanel::LoadBitMaps()
{
    ListView1->clear();
    for (const QString &fileName : ChordFiles::listChordFiles(gstrChordLibPath))
        addChordItem(fileName);
    emit statusChanged(QStringLiteral("Chord Library: ") + gstrChordLibName);
}

void ChordListPanel::LoadNewBitMap()
{
    if (!addChordItem(gstrNewChordName))
        LoadBitMaps();
}

bool ChordListPanel::addChordItem(const QString &fileName)
{
    return ListView1->addChord(ChordFiles::chordKey(gstrChordLibPath, fileName),
                               ChordFiles::displayNameOfFile(fileName));
}

void ChordListPanel::Copy() {}
void ChordListPanel::Delete() {}
void ChordListPanel::Libraries() {}
