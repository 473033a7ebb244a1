#pragma once
// Windows-1252, the encoding of every document that is not UTF-8. Every byte value 0-255
// maps to exactly one character and back (the five bytes the code page leaves undefined,
// 0x81 0x8D 0x8F 0x90 0x9D, map to the C1 control characters of the same value), so any
// file reads and writes back byte for byte.
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <span>

namespace folio {

// What a character set cannot hold of a text.
struct Unrepresentable {
    qsizetype count = 0;   // characters it cannot hold
    QStringList firstFew;  // up to the first five of them, in text order, one a piece

    void add(QStringView character)
    {
        if (++count <= 5)
            firstFew.append(character.toString());
    }
};

}  // namespace folio

namespace folio::cp1252 {

using folio::Unrepresentable;

// The character of a byte value.
QChar toChar(unsigned char byte);
// The byte value of a character, or nothing when the code page cannot hold it.
std::optional<unsigned char> toByte(QChar ch);

// Decodes `bytes` into `out`, which has room for bytes.size() characters: one character per
// byte.
void decodeInto(QByteArrayView bytes, QChar* out);

// Encodes `text` into `out`, which has room for text.size() bytes, and returns the number of
// bytes. A character the code page cannot hold becomes '?' (a surrogate pair is one
// character, one '?'); `onlyIfHeld`: return -1 at the first such character instead.
qsizetype encodeInto(QStringView text, char* out, bool onlyIfHeld);

// The characters of a text, given as consecutive parts none of which ends inside a surrogate
// pair, that encodeInto() would have to replace.
Unrepresentable findUnrepresentable(std::span<const QStringView> parts);

}  // namespace folio::cp1252
