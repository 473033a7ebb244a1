#pragma once
// The search of the find panel and its per-character case mapping. Pure functions of strings
// and positions.
#include <QString>
#include <QStringView>

#include <span>

namespace folio {

// The smallest 1-based position p >= start1Based at which `find` occurs in `text`, or 0 when
// there is none — also when `find` is empty or start1Based lies beyond the end of the text
// (a start below 1 counts as 1). Positions count UTF-16 units, so a CR LF line break counts
// as two.
// Case-insensitive: both texts are compared as lowerPerCharacter() gives them, without
// building the lower-cased copy of `text`, whatever code page the document is kept in. Among
// the characters of Windows-1252 that pairs exactly the letters "Make &Uppercase" and "Make
// &Lowercase" turn into each other (µ and ƒ, whose other case the code page lacks, match no
// other character of it); a character outside it, typed by the user, matches its other case.
int findText(QStringView text, QStringView find, int start1Based, bool caseSensitive);
// The same over a text given as consecutive parts, as if they were one string: a match may
// run across any number of parts.
int findText(std::span<const QStringView> parts, QStringView find, int start1Based, bool caseSensitive);

// Case mapping one UTF-16 unit at a time (QChar::toLower / QChar::toUpper), so the length
// never changes: "ß" stays "ß" in upper case, a surrogate pair stays as it is.
QString lowerPerCharacter(QStringView text);
QString upperPerCharacter(QStringView text);

}  // namespace folio
