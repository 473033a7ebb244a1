#pragma once
// The rules of the ASCII tool: when a typed text is a number, what number it is, how the
// continuous loop reads and steps its input, and the character of a code and the code of a
// character in the program's single-byte code page (Windows-1252).
//
// Number texts follow the program's number conversions, with "." as the only decimal point and
// no locale forms (no thousands separators, currency signs or decimal comma). "Blanks" are
// space, tab, line feed and carriage return.
//
//  * Decimal form: optional sign, digits with an optional "." and fraction (".5" and "5."
//    both count, "." alone does not), optional exponent "e"/"E" with optional sign and at
//    least one digit ("1e2", "1E+2", "2e-1").
//  * "&H" (hexadecimal) and "&O" (octal) forms, letters in either case, no sign. They are
//    integers: a value up to &HFFFF is a 16-bit signed integer
//    ("&HFFFF" is -1, "&H8000" is -32768), a value up to &HFFFFFFFF a 32-bit signed one
//    ("&H10000" is 65536, "&HFFFFFFFF" is -1); anything larger does not fit, which is an
//    overflow. Octal follows the same value limits (&O177777, &O37777777777).
//  * A decimal value beyond the range of a double is an overflow; one too small to be held
//    reads as 0.
//
// The tool window calls lookupAnswer() and loopAnswer() for its two buttons and
// loopStepText() after the loop's question, and only shows what they return.
#include <QString>
#include <QStringView>

#include <optional>

namespace folio::ascii {

// Messages and fixed texts of the tool.
inline constexpr QStringView kNumberRefusal = u"Please type any valid integer from 0 to 255.";
inline constexpr QStringView kCharacterRefusal = u"Please type any valid character.";
inline constexpr QStringView kAnswerPlaceholder = u"Here is the answer !";
inline constexpr QStringView kFailureMessage = u"Since some error has occurred, this activity is cancelled !";
inline constexpr QStringView kLoopQuestionTitle = u"Your choice please";
inline constexpr QStringView kLoopQuestion = u"Choose Abort button to exit from this loop,\r\n"
                                             u"Choose Retry button to move to previous integer or\r\n"
                                             u"Choose Ignore button to move to next integer.";

// Maximum lengths of the lookup input in its two modes.
inline constexpr int kNumberInputMaxLength = 3;
inline constexpr int kCharacterInputMaxLength = 1;

// The whole text, surrounding blanks aside, is one number (decimal, &H or &O) that fits.
// Empty and blanks-only texts are not numeric, nor are blanks inside the number ("1 2").
bool isNumeric(QStringView text);

// The value of a numeric text; nothing when the text is not numeric.
std::optional<double> numberOf(QStringView text);

// Drops the fraction: 1.9 gives 1, -0.5 gives 0 (never -0), -1.5 gives -1.
double truncateTowardZero(double value);

// The loop's reading of its input: blanks anywhere are ignored (" 1 2" reads 12), then the
// longest number at the start is taken (decimal with exponent, &H, &O) and the rest ignored
// ("12abc" reads 12, "1.2.3" reads 1.2, "1e" reads 1, "&HFG" reads 15). A text without a
// leading number reads as 0. Nothing is returned when the number overflows.
std::optional<double> leadingNumber(QStringView text);

// The decimal text of a number: no leading blank, whole numbers without a point ("255",
// "-1", "0"), fractions shown ("2.5"), 15 significant digits, so that a value stepped by
// whole numbers from "0.1" still shows as "1.1". Very large and very small magnitudes use an
// upper-case exponent ("1E+20", "1E-05").
QString decimalText(double value);

// The one-character text of code 0-255 in the code page (code 0 gives a text holding the
// character 0); an empty text for any other code.
QString characterOfCode(int code);

// The code, 0-255, of the first character of `text`; nothing when the text is empty or the
// code page cannot hold that character.
std::optional<int> codeOfCharacter(QStringView text);

// The answer as it is drawn in a label: characters without a glyph of their own (codes 0-31
// and 127) become their visible control-picture symbols; everything else is unchanged.
QString visibleForm(QStringView answer);

enum class LookupMode { NumberToCharacter, CharacterToNumber };

// What one press of a tool button comes to: an answer for the label, or a refusal to show
// as a message (then the focus goes back to the input and nothing else changes).
struct ToolAnswer {
    QString answer;
    QString refusal;
    bool accepted() const { return refusal.isEmpty(); }
};

// "&Show  answer": in number mode the character of the input's number truncated toward
// zero, refused unless the input is numeric and that number lies within 0-255; in
// character mode the decimal code of the input's character, refused when the input is
// empty or its character has no code in the code page.
ToolAnswer lookupAnswer(LookupMode mode, QStringView input);

// "S&how" before its question: the character of the input's number, under the same rules as
// the number mode of the lookup.
ToolAnswer loopAnswer(QStringView input);

enum class LoopDirection {
    Previous,  // Retry
    Next,      // Ignore
};

// The loop input after the user's answer: the decimal text of its leading number minus 1
// (Previous) or plus 1 (Next); a result that reads as -1 becomes "255" and one that reads
// as 256 becomes "0". Nothing is returned when the reading overflows; the window then
// cancels the step with kFailureMessage.
std::optional<QString> loopStepText(QStringView input, LoopDirection direction);

}  // namespace folio::ascii
