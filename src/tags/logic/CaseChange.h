#pragma once
// "Make &Uppercase" and "Make &Lowercase": the case of each character, kept within the
// characters the document's file can hold.
#include <QString>
#include <QStringView>

namespace folio::tags {

// The characters a document's file can hold.
enum class CaseCodePage {
    Windows1252,  // the 256 characters of the code page
    Unicode,      // every character
};

// Unicode: each character becomes its full upper (lower) case, which may be longer ("ß" becomes
// "SS", "ﬁ" becomes "FI", "İ" becomes "i" with a combining dot above); a surrogate half without
// its partner stays as it is.
// Windows-1252: each character becomes its upper (lower) case when the code page holds that
// case as one character; otherwise it stays as it is, so the change never brings a character
// the file cannot hold (µ, ƒ and ß keep their form, the code page lacks their upper cases),
// and the length never changes.
QString upperCaseIn(QStringView text, CaseCodePage codePage);
QString lowerCaseIn(QStringView text, CaseCodePage codePage);

}  // namespace folio::tags
