#pragma once

#include "spell/SpellCheckRun.h"

class QWidget;
class SpellCheckerControl;

// The spelling commands of the main window: the dictionary settings and
// their repair, opening the dictionaries, the Spell Check Options flow and
// the spell-check run over the song.
class SpellCheckCommands final
{
public:
    SpellCheckCommands(SpellCheckerControl &checker, QWidget *parent);

    // True when the custom dictionary setting names an existing .dic file,
    // or was set back to the program folder's custom.dic.
    bool CheckCustomDictPath();
    // Opens the main and custom dictionaries, falling back once to
    // SpellUS.lex; tells the user what failed.
    bool LoadDictionaries();
    // Tools > Spell Check Options.
    void SpellCheckOptions();

    // Tools > Spell Check: opens the dictionaries, walks the song and tells
    // the user how it went.
    template<class Song>
    void SpellCheck(Song &song)
    {
        if (!LoadDictionaries())
            return;
        finishRun(runSpellCheck(song, m_checker));
    }

    // custom.dic in the folder of the user's files (beside the program
    // unless the program is installed).
    static QString defaultCustomDictPath();

private:
    void finishRun(const SpellRunResult &result);

    SpellCheckerControl &m_checker;
    QWidget *m_parent;
};
