#pragma once

#include <QByteArrayView>

// Splits RTF source into groups, control words, control symbols and runs of
// plain bytes. It never allocates and never looks back: every call consumes at
// least one byte until the end, so a reader driven by it cannot hang.
class RtfTokenizer final
{
public:
    enum class Type { End, GroupStart, GroupEnd, ControlWord, ControlSymbol, Text, HexByte };

    struct Token
    {
        Type type = Type::End;
        QByteArrayView word;   // ControlWord: its letters
        bool hasParameter = false;
        int parameter = 0;     // ControlWord: clamped to the int range
        char symbol = 0;       // ControlSymbol: the character after the backslash
        QByteArrayView text;   // Text: bytes with no line breaks, braces or backslashes
        unsigned char byte = 0; // HexByte: the value of \'xx
    };

    explicit RtfTokenizer(QByteArrayView source) : m_data(source) {}

    Token next();

    // Takes up to length raw bytes following \binN; fewer when the data ends.
    QByteArrayView takeBinary(qint64 length);

    qsizetype position() const { return m_pos; }
    bool atEnd() const { return m_pos >= m_data.size(); }

private:
    QByteArrayView m_data;
    qsizetype m_pos = 0;
};
