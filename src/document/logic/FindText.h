#pragma once
// The search of the find panel. A pure function of strings and positions.
#include <QStringView>

#include <span>

namespace folio {

// The smallest 1-based position p >= start1Based at which `find` occurs in the text given as
// consecutive `parts` (a match may run across any number of them), or 0 when there is none —
// also when `find` is empty or start1Based lies beyond the end of the text (a start below 1
// counts as 1). Positions count UTF-16 units, so a CR LF line break counts as two.
// Case-insensitive: both texts are lower-cased one UTF-16 unit at a time (QChar::toLower), so
// the length never changes, and then compared, whatever code page the document is kept in.
// Among the characters of Windows-1252 that pairs exactly the letters "Make &Uppercase" and
// "Make &Lowercase" turn into each other (µ and ƒ, whose other case the code page lacks,
// match no other character of it); a character outside it, typed by the user, matches its
// other case.
int findText(std::span<const QStringView> parts, QStringView find, int start1Based, bool caseSensitive);

}  // namespace folio
