#include "library/ChordFiles.h"

#include "base/Module1.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

namespace {

const QChar slash(u'/');
const QChar tilde(u'~');
const QChar counterSeparator(u';');

// Whether anything of that name lies in the folder, even a dangling link.
bool nameTaken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

namespace ChordFiles {

QString refusedCharactersMessage()
{
    return QStringLiteral("Chord Names cannot include the folowing characters.\n; ~ \\ : ? \" < > |");
}

QString composeDisplayName(const QString &chordName, const QString &additionalText)
{
    const QString name = chordName.trimmed();
    const QString additional = additionalText.trimmed();
    return additional.isEmpty() ? name : name + QLatin1Char(' ') + additional;
}

bool isAcceptedChordName(const QString &displayName)
{
    for (char16_t refused : refusedCharacters) {
        if (refused != u'\0' && displayName.contains(QChar(refused)))
            return false;
    }
    return true;
}

QString baseFileName(const QString &displayName)
{
    QString base = displayName;
    return base.replace(slash, tilde);
}

QString MakeChordFileName(const QString &displayName, const QString &folder)
{
    const QString base = baseFileName(displayName);
    QString candidate = base;
    for (qint64 counter = 2; nameTaken(joinPath(folder, candidate)); ++counter)
        candidate = base + counterSeparator + QString::number(counter);
    return candidate;
}

QString displayNameOfFile(const QString &fileName)
{
    QString name = fileName.section(counterSeparator, 0, 0);
    return name.replace(tilde, slash);
}

QString chordKey(const QString &folder, const QString &fileName)
{
    return joinPath(folder, fileName);
}

QStringList listChordFiles(const QString &folder)
{
    // A chord whose name starts with a dot is a hidden file here, yet still
    // one of the library's chords.
    QStringList names;
    QDirIterator entries(folder, QDir::Files | QDir::Hidden);
    while (entries.hasNext()) {
        entries.next();
        names.append(entries.fileName());
    }
    return names;
}

Result saveChordFile(const QImage &picture, const QString &path)
{
    QSaveFile file(path);
    auto fail = [&](int number, const QString &description) {
        file.cancelWriting();
        return Result::failed(number, description);
    };
    if (QFileInfo(path).isDir())
        return fail(QFileDevice::OpenError, QStringLiteral("A folder of that name exists"));
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.error(), file.errorString());
    QImageWriter writer(&file, "BMP");
    if (!writer.write(picture))
        return fail(file.error() != QFileDevice::NoError ? file.error() : QFileDevice::WriteError,
                    file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString());
    if (!file.commit())
        return fail(file.error(), file.errorString());
    return {};
}

Result deleteChordFile(const QString &key)
{
    QFile file(key);
    if (file.remove())
        return {};
    return Result::failed(file.error(), file.errorString());
}

} // namespace ChordFiles
