#pragma once
// Where the caret keys and the word commands go in a text model: by character (a CR LF
// break, a surrogate pair and a character with its combining marks are one step each) and by
// word (as Qt's own text boxes step: Ctrl+Right to the start of the next word, Ctrl+Left to
// the start of this or the previous one, each line break a stop of its own). Only the text
// near the position is read, however long its line, and a word is a word however long.
#include <QtGlobal>

#include <utility>

namespace folio {

class TextModel;

namespace motion {

qsizetype nextCharacter(const TextModel& model, qsizetype position);
qsizetype previousCharacter(const TextModel& model, qsizetype position);
qsizetype nextWord(const TextModel& model, qsizetype position);
qsizetype previousWord(const TextModel& model, qsizetype position);
// The word a double-click at `position` selects: [first, second).
std::pair<qsizetype, qsizetype> wordAround(const TextModel& model, qsizetype position);

}  // namespace motion
}  // namespace folio
