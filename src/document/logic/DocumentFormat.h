#pragma once
// The on-disk format of documents: 8-bit Windows-1252 text read as lines and written whole.
//
// Reading: a line ends at CR or at CR LF (neither belongs to the line); a lone LF is an
// ordinary character of its line. A last line without a line end is still a line, and a line
// end at the very end of the file does not start another one; an empty file has no lines.
// The text is, for every line in order, CR LF followed by the line — so a loaded text starts
// with a line break and ends with its last line.
//
// Writing: the text as it stands, then one CR LF.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace folio::docformat {

inline constexpr char16_t kCR = u'\r';
inline constexpr char16_t kLF = u'\n';

// The text a document file of these bytes loads as.
QString textFromFileBytes(QByteArrayView bytes);

// The bytes written for a text: the text in Windows-1252 (a character the code page cannot
// hold becomes '?'), then CR LF.
QByteArray fileBytesFromText(QStringView text);

}  // namespace folio::docformat
