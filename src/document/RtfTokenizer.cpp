#include "document/RtfTokenizer.h"

#include <limits>

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

RtfTokenizer::Token RtfTokenizer::next()
{
    Token token;
    const qsizetype size = m_data.size();
    const char *data = m_data.data();

    // Line breaks in the source carry no meaning.
    while (m_pos < size && (data[m_pos] == '\r' || data[m_pos] == '\n'))
        ++m_pos;
    if (m_pos >= size)
        return token;

    const char c = data[m_pos];
    if (c == '{') {
        ++m_pos;
        token.type = Type::GroupStart;
        return token;
    }
    if (c == '}') {
        ++m_pos;
        token.type = Type::GroupEnd;
        return token;
    }
    if (c != '\\') {
        const qsizetype start = m_pos;
        while (m_pos < size) {
            const char t = data[m_pos];
            if (t == '\\' || t == '{' || t == '}' || t == '\r' || t == '\n')
                break;
            ++m_pos;
        }
        token.type = Type::Text;
        token.text = m_data.sliced(start, m_pos - start);
        return token;
    }

    ++m_pos; // the backslash
    if (m_pos >= size) {
        // A lone backslash at the very end: nothing to read.
        token.type = Type::End;
        return token;
    }

    const char first = data[m_pos];
    if (isLetter(first)) {
        const qsizetype start = m_pos;
        while (m_pos < size && isLetter(data[m_pos]))
            ++m_pos;
        token.type = Type::ControlWord;
        token.word = m_data.sliced(start, m_pos - start);

        bool negative = false;
        if (m_pos + 1 < size && data[m_pos] == '-' && isDigit(data[m_pos + 1])) {
            negative = true;
            ++m_pos;
        }
        if (m_pos < size && isDigit(data[m_pos])) {
            // Saturate rather than overflow: a huge parameter is still huge.
            qint64 value = 0;
            while (m_pos < size && isDigit(data[m_pos])) {
                if (value <= std::numeric_limits<int>::max())
                    value = value * 10 + (data[m_pos] - '0');
                ++m_pos;
            }
            if (negative)
                value = -value;
            if (value > std::numeric_limits<int>::max())
                value = std::numeric_limits<int>::max();
            if (value < std::numeric_limits<int>::min())
                value = std::numeric_limits<int>::min();
            token.hasParameter = true;
            token.parameter = int(value);
        }
        if (m_pos < size && data[m_pos] == ' ')
            ++m_pos; // the delimiting space belongs to the control word
        return token;
    }

    ++m_pos;
    if (first == '\'') {
        // \'xx: two hex digits. Take the ones that are there; a broken escape
        // gives no byte rather than swallowing the text that follows.
        int value = 0;
        int digits = 0;
        while (digits < 2 && m_pos < size) {
            const int v = hexValue(data[m_pos]);
            if (v < 0)
                break;
            value = value * 16 + v;
            ++digits;
            ++m_pos;
        }
        if (digits == 0) {
            token.type = Type::ControlSymbol;
            token.symbol = '\'';
            return token;
        }
        token.type = Type::HexByte;
        token.byte = static_cast<unsigned char>(value);
        return token;
    }

    // "\" followed by a line break is a paragraph mark in old writers.
    token.type = Type::ControlSymbol;
    token.symbol = (first == '\r' || first == '\n') ? '\n' : first;
    return token;
}

QByteArrayView RtfTokenizer::takeBinary(qint64 length)
{
    const qint64 left = m_data.size() - m_pos;
    if (length < 0)
        length = 0;
    if (length > left)
        length = left;
    const QByteArrayView bytes = m_data.sliced(m_pos, qsizetype(length));
    m_pos += qsizetype(length);
    return bytes;
}
