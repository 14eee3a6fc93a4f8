#pragma once

#include <QByteArrayView>
#include <QString>

#include <map>
#include <memory>

class QStringDecoder;

// Windows code pages as RTF names them (\ansicpg, \cpg, and through
// \fcharset), decoded with the converters Qt offers (ICU on Debian).
class RtfCodePages final
{
public:
    RtfCodePages();
    ~RtfCodePages();
    RtfCodePages(const RtfCodePages &) = delete;
    RtfCodePages &operator=(const RtfCodePages &) = delete;

    // The code page a \fcharset value stands for; 0 when the charset leaves
    // the choice to the document (DEFAULT and unknown charsets).
    static int codePageForCharset(int charset);

    // Decodes the bytes in the code page; unknown code pages fall back to
    // Windows-1252, so text is never lost.
    QString decode(QByteArrayView bytes, int codePage);

private:
    QStringDecoder *decoderFor(int codePage);

    std::map<int, std::unique_ptr<QStringDecoder>> m_decoders;
};
