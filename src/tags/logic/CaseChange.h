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

// Each character becomes its upper (lower) case when the code page holds that case; otherwise
// it stays as it is, so the change never brings a character the file cannot hold (µ and ƒ
// keep their form in Windows-1252, whose upper cases they lack). A character is a UTF-16 unit
// or a surrogate pair, and maps to one of the same length: the text's length never changes
// ("ß" stays "ß" in upper case).
QString upperCaseIn(QStringView text, CaseCodePage codePage);
QString lowerCaseIn(QStringView text, CaseCodePage codePage);

}  // namespace folio::tags
