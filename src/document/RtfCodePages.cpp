#include "document/RtfCodePages.h"

#include <QStringDecoder>

namespace {

constexpr int fallbackCodePage = 1252;
constexpr int symbolCodePage = 42;

// Names ICU knows the Windows and Macintosh code pages by.
QByteArray converterName(int codePage)
{
    switch (codePage) {
    case 437: return "IBM437";
    case 708: return "ISO-8859-6";
    case 850: return "IBM850";
    case 852: return "IBM852";
    case 860: return "IBM860";
    case 862: return "IBM862";
    case 863: return "IBM863";
    case 864: return "IBM864";
    case 865: return "IBM865";
    case 866: return "IBM866";
    case 932: return "windows-31j";
    case 936: return "GBK";
    case 949: return "windows-949";
    case 950: return "windows-950";
    case 1361: return "ibm-1363";
    case 10000: return "macintosh";
    case 10001: return "Shift_JIS";
    case 10002: return "Big5";
    case 10003: return "EUC-KR";
    case 10006: return "x-mac-greek";
    case 10007: return "x-mac-cyrillic";
    case 10008: return "GB2312";
    case 10029: return "x-mac-centraleurroman";
    case 10079: return "x-mac-icelandic";
    case 10081: return "x-mac-turkish";
    case 20866: return "KOI8-R";
    case 21866: return "KOI8-U";
    case 28591: return "ISO-8859-1";
    case 28592: return "ISO-8859-2";
    case 28595: return "ISO-8859-5";
    case 50220: return "ISO-2022-JP";
    case 51932: return "EUC-JP";
    case 51949: return "EUC-KR";
    case 65001: return "UTF-8";
    default: break;
    }
    if (codePage >= 1250 && codePage <= 1258)
        return "windows-" + QByteArray::number(codePage);
    if (codePage == 874)
        return "windows-874";
    return "windows-" + QByteArray::number(codePage);
}

// Symbol fonts (Symbol, Wingdings) have no code page: their byte values go
// to the private use area at U+F000, as Word and LibreOffice keep them, so
// the font shows its own glyph and the value survives a round trip.
QString decodeSymbol(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char b : bytes) {
        const auto c = static_cast<unsigned char>(b);
        if (c == 0xB7)
            text += QChar(0x2022); // the bullet of list labels, shown anywhere
        else
            text += QChar(c < 0x20 ? c : 0xF000 + c);
    }
    return text;
}

} // namespace

RtfCodePages::RtfCodePages() = default;
RtfCodePages::~RtfCodePages() = default;

int RtfCodePages::codePageForCharset(int charset)
{
    switch (charset) {
    case 0: return 1252;
    case 2: return symbolCodePage;
    case 77: return 10000;
    case 78: return 10001;
    case 79: return 10003;
    case 80: return 10008;
    case 81: return 10002;
    case 83: return 10005;
    case 84: return 10004;
    case 85: return 10006;
    case 86: return 10081;
    case 87: return 10021;
    case 88: return 10029;
    case 89: return 10007;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return 0;
    }
}

QStringDecoder *RtfCodePages::decoderFor(int codePage)
{
    auto found = m_decoders.find(codePage);
    if (found != m_decoders.end())
        return found->second.get();

    auto decoder = std::make_unique<QStringDecoder>(converterName(codePage).constData());
    if (!decoder->isValid())
        decoder = std::make_unique<QStringDecoder>("windows-1252");
    if (!decoder->isValid())
        decoder = std::make_unique<QStringDecoder>(QStringConverter::Latin1);
    QStringDecoder *result = decoder.get();
    m_decoders.emplace(codePage, std::move(decoder));
    return result;
}

QString RtfCodePages::decode(QByteArrayView bytes, int codePage)
{
    bool ascii = true;
    for (const char b : bytes) {
        if (static_cast<unsigned char>(b) >= 0x80) {
            ascii = false;
            break;
        }
    }
    // Every code page RTF uses agrees with ASCII below 0x80, except the
    // stateful ISO-2022 family that we only meet by explicit \cpg.
    if (ascii && codePage != 50220 && codePage != symbolCodePage)
        return QString::fromLatin1(bytes);
    if (codePage == symbolCodePage)
        return decodeSymbol(bytes);
    if (codePage <= 0)
        codePage = fallbackCodePage;
    QStringDecoder *decoder = decoderFor(codePage);
    QString text = decoder->decode(bytes);
    decoder->resetState();
    return text;
}
