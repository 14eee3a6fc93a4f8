#include "spell/SpellCheckCommands.h"

#include "base/DataFolders.h"
#include "base/Module1.h"
#include "base/Prompt.h"
#include "base/Result.h"
#include "base/SettingsStore.h"
#include "spell/SpellCheckerControl.h"

#include <QFileInfo>

namespace {

const QString fallbackMainDictionary = QStringLiteral("SpellUS.lex");

bool isExistingFile(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

} // namespace

SpellCheckCommands::SpellCheckCommands(SpellCheckerControl &checker, QWidget *parent)
    : m_checker(checker), m_parent(parent)
{
}

QString SpellCheckCommands::defaultCustomDictPath()
{
    return joinPath(DataFolders::DataPath(), QStringLiteral("custom.dic"));
}

bool SpellCheckCommands::CheckCustomDictPath()
{
    bool valid = true;
    const QString defaultPath = defaultCustomDictPath();
    const auto repair = [&] {
        if (isExistingFile(defaultPath)) {
            gstrCustomDictFilePath = defaultPath;
            SettingsStore::SaveSetting(SettingsStore::CustomDictFilePath, gstrCustomDictFilePath);
        } else {
            valid = false;
        }
    };
    if (!isExistingFile(gstrCustomDictFilePath))
        repair();
    // The name test is on the whole path: a folder called "x.dic" passes it.
    if (!gstrCustomDictFilePath.toLower().contains(QLatin1String(".dic")))
        repair();
    return valid;
}

bool SpellCheckCommands::LoadDictionaries()
{
    if (!CheckCustomDictPath()) {
        prompt().message(m_parent, QMessageBox::Warning, QStringLiteral("Missing Dictionary File"),
                         QStringLiteral("The spellchecker Custom Dictionary file 'custom.dic'\n"
                                        "is missing or invalid.\n"
                                        "Reinstalling the application will restore this file."));
    }

    const auto reportedError = [this] {
        if (m_checker.openError() == 0)
            return false;
        prompt().message(m_parent, QMessageBox::Warning, QStringLiteral("Error Opening Dictionary"),
                         Result::failed(m_checker.openError(), m_checker.openErrorString()).message());
        return true;
    };

    if (m_checker.OpenDictionaries(gstrMainDictFileName, gstrCustomDictFilePath))
        return true;
    if (reportedError())
        return false;
    // The standard dictionary is tried once more, even when it was the one asked for.
    if (m_checker.OpenDictionaries(fallbackMainDictionary, gstrCustomDictFilePath)) {
        gstrMainDictFileName = fallbackMainDictionary;
        SettingsStore::SaveSetting(SettingsStore::MainDictFileName, gstrMainDictFileName);
        return true;
    }
    if (reportedError())
        return false;
    prompt().message(m_parent, QMessageBox::Warning, QStringLiteral("Dictionary could Not be Opened"),
                     QStringLiteral("The spellchecker Main Dictionary file '") + gstrMainDictFileName
                         + QStringLiteral("'\ncould not be opened.\n"
                                          "Use the 'Spell Check Options' dialog to select a Dictionary."));
    return false;
}

void SpellCheckCommands::SpellCheckOptions()
{
    QString systemDir = GetSystemDir();
    QString custom = gstrCustomDictFilePath;
    QString main = gstrMainDictFileName;
    const QString installedList = joinPath(systemDir, QStringLiteral("dictionaries.ins"));
    if (!m_checker.ShowOptions(systemDir, custom, main, installedList, true))
        return;

    if (custom != gstrCustomDictFilePath && !custom.contains(QLatin1Char('?'))) {
        if (!custom.toLower().contains(QLatin1String(".dic"))) {
            prompt().message(m_parent, QMessageBox::Information, QStringLiteral("Invalid Dictionary File"),
                             QStringLiteral("The selected File is Not a Valid Custom Dictionary file.\n"
                                            "The Custom Dictionary Path was Not Changed."));
        } else if (!isExistingFile(custom)) {
            prompt().message(m_parent, QMessageBox::Information, QStringLiteral("File or Path Not Found"),
                             QStringLiteral("Invalid File Path.\n"
                                            "The Custom Dictionary Path was Not Changed."));
        } else {
            gstrCustomDictFilePath = custom;
            SettingsStore::SaveSetting(SettingsStore::CustomDictFilePath, gstrCustomDictFilePath);
        }
    }

    // A main dictionary that is not a .lex name is dropped without a word.
    if (main != gstrMainDictFileName && !main.contains(QLatin1Char('?'))
        && main.toLower().contains(QLatin1String(".lex"))) {
        gstrMainDictFileName = main;
        SettingsStore::SaveSetting(SettingsStore::MainDictFileName, gstrMainDictFileName);
    }
}

void SpellCheckCommands::finishRun(const SpellRunResult &result)
{
    switch (result.outcome) {
    case SpellRunResult::Outcome::Completed:
        prompt().message(m_parent, QMessageBox::Information, AppTitle(),
                         QStringLiteral("Spell Check Complete.\n\nWords  checked: %1\nWords replaced: %2")
                             .arg(result.checked)
                             .arg(result.replaced));
        m_checker.EndCheck();
        break;
    case SpellRunResult::Outcome::Cancelled:
        m_checker.EndCheck();
        break;
    case SpellRunResult::Outcome::NotOpen:
        prompt().message(m_parent, QMessageBox::NoIcon, AppTitle(),
                         QStringLiteral("Error, dictionary has not been opened."));
        break;
    case SpellRunResult::Outcome::Failed:
        m_checker.EndCheck();
        prompt().message(m_parent, QMessageBox::Information, QStringLiteral("Sub SpellCheck"),
                         result.error.message());
        break;
    }
}
