#pragma once
// Windows-1252, the encoding of every document that is not UTF-8. Every byte value 0-255
// maps to exactly one character and back (the five bytes the code page leaves undefined,
// 0x81 0x8D 0x8F 0x90 0x9D, map to the C1 control characters of the same value), so any
// file reads and writes back byte for byte.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <span>

namespace folio {

// What a character set cannot hold of a text.
struct Unrepresentable {
    qsizetype count = 0;       // characters it cannot hold
    QStringList firstFew;      // up to the first five of them, in text order, one a piece
};

}  // namespace folio

namespace folio::cp1252 {

using folio::Unrepresentable;

// The character of a byte value.
QChar toChar(unsigned char byte);
// The byte value of a character, or nothing when the code page cannot hold it.
std::optional<unsigned char> toByte(QChar ch);

QString decode(QByteArrayView bytes);
// Decodes `bytes` into `out`, which has room for bytes.size() characters: one character per
// byte, so callers can decode pieces straight into a larger buffer.
void decodeInto(QByteArrayView bytes, QChar* out);

// The characters of `text` that encode() would have to replace.
Unrepresentable findUnrepresentable(QStringView text);
// The same over a text given as consecutive parts, none of which ends inside a surrogate pair.
Unrepresentable findUnrepresentable(std::span<const QStringView> parts);

// Encodes `text`; a character the code page cannot hold becomes '?' (a surrogate pair counts as
// one character here, as in findUnrepresentable()). Callers that must not
// lose characters check findUnrepresentable() first and ask the user.
QByteArray encode(QStringView text);
// Encodes `text` as encode() does into `out`, which has room for text.size() bytes; returns
// the number of bytes written (fewer than text.size() only when surrogate pairs were replaced).
qsizetype encodeInto(QStringView text, char* out);
// Encodes `text` as encodeInto() does when the code page holds every character of it;
// otherwise stops at the first one it cannot hold and returns -1.
qsizetype encodeIntoIfHeld(QStringView text, char* out);

}  // namespace folio::cp1252
