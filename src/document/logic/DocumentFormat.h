#pragma once
// The on-disk format of documents: text read as lines and written whole, in the encoding the
// file was found in.
//
// Encoding: a file that starts with the UTF-8 byte-order mark and is valid UTF-8 after it, or
// that is valid UTF-8 throughout and holds at least one multi-byte sequence, is UTF-8. Every
// other file (nothing but ASCII, anything that is not valid UTF-8, an empty file) is
// Windows-1252, in which every byte is a character of its own. The document keeps the
// encoding and writes its text back in it, the mark too when the file had one.
//
// Reading: a line ends at CR or at CR LF (neither belongs to the line); a lone LF is an
// ordinary character of its line. A last line without a line end is still a line, and a line
// end at the very end of the file does not start another one; an empty file has no lines.
// The text is, for every line in order, CR LF followed by the line — so a loaded text starts
// with a line break and ends with its last line. The byte-order mark is no part of any line.
//
// Writing: the text as it stands, then one CR LF.
#include "platform/logic/CodePage.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>
#include <span>

namespace folio::docformat {

inline constexpr char16_t kCR = u'\r';
inline constexpr char16_t kLF = u'\n';

enum class Encoding {
    Windows1252,
    Utf8,
    Utf8WithMark,  // UTF-8 that starts with the byte-order mark
};

struct DecodedFile {
    QString text;
    Encoding encoding = Encoding::Windows1252;
};

// The text a document file of these bytes loads as, and its encoding.
DecodedFile decodeFile(QByteArrayView bytes);
inline QString textFromFileBytes(QByteArrayView bytes)
{
    return decodeFile(bytes).text;
}

// The bytes written for a text: the mark for Utf8WithMark, the text in the encoding (a
// character the encoding cannot hold becomes '?'), then CR LF.
QByteArray fileBytesFromText(QStringView text, Encoding encoding = Encoding::Windows1252);

// The bytes that start a file of this encoding: the byte-order mark, or nothing.
QByteArrayView leadingBytes(Encoding encoding);
// The most bytes one UTF-16 unit of text becomes.
qsizetype maxBytesPerUnit(Encoding encoding);
// Encodes `text` into `out` (room for maxBytesPerUnit() bytes per unit) and returns the
// number of bytes; a character the encoding cannot hold becomes '?'. `onlyIfHeld`: return -1
// at the first such character instead.
qsizetype encodeInto(Encoding encoding, QStringView text, char* out, bool onlyIfHeld);
// The characters of a text, given as consecutive parts none of which ends inside a surrogate
// pair, that the encoding cannot hold. Windows-1252 holds 251 characters besides ASCII;
// UTF-8 holds everything but a surrogate half without its partner.
Unrepresentable findUnrepresentable(Encoding encoding, std::span<const QStringView> parts);
// "Windows-1252" or "UTF-8", for the user.
QString displayName(Encoding encoding);

// The encoding the reading rule finds in a file whose bytes come in consecutive pieces of any
// size, without decoding them into a text: for deciding how text appended to the file is
// written.
class EncodingEvidence {
public:
    void add(QByteArrayView bytes);
    // Whether the bytes so far settle it: further bytes can change nothing.
    bool settled() const { return m_invalid; }
    // After the last piece: the encoding the file reads in, or nothing when it reads the same
    // in either (it is empty or holds nothing but ASCII, without the byte-order mark).
    std::optional<Encoding> finish();

private:
    void take(QByteArrayView bytes, bool last);
    QByteArray m_pending;  // the start of the file, or of a sequence, that needs more bytes
    bool m_markChecked = false;
    bool m_mark = false;
    bool m_multiByte = false;
    bool m_invalid = false;
};

}  // namespace folio::docformat
