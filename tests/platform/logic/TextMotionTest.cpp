// Where the caret keys and the word commands go: by character over breaks of every kind,
// surrogate pairs and marks; by word over blanks and punctuation, each line break a stop; a
// word many thousand characters long is one word.
#include "platform/logic/TextMotion.h"
#include "platform/logic/TextModel.h"

#include <gtest/gtest.h>

#include <vector>

using namespace folio;

namespace {

// Where the motion goes from each position of the text, 0 to its length: `to[p]` from p.
template <typename Result>
void expectFromEveryPosition(const QString& text, Result (*motion)(const TextModel&, qsizetype),
                             const std::vector<Result>& to)
{
    TextModel model;
    model.setText(text);
    ASSERT_EQ(qsizetype(to.size()), text.size() + 1);
    for (qsizetype p = 0; p <= text.size(); ++p)
        EXPECT_EQ(motion(model, p), to[p]) << text.toStdString() << " from " << p;
}

}  // namespace

// a CR LF b CR c LF d e+acute U+1F600 (a pair) f. A position inside the CR LF or the pair
// goes out of it; a base with 300 marks is one step; positions beyond the text are clamped.
TEST(TextMotion, ACharacterStepTakesABreakAPairAndMarksAsOne)
{
    const QString mixed = QString::fromUtf16(u"a\r\nb\rc\nde\u0301\U0001F600f");
    expectFromEveryPosition(mixed, motion::nextCharacter, {1, 3, 3, 4, 5, 6, 7, 8, 10, 10, 12, 12, 13, 13});
    expectFromEveryPosition(mixed, motion::previousCharacter, {0, 0, 1, 1, 3, 4, 5, 6, 7, 8, 8, 10, 10, 12});
    TextModel model;
    model.setText(QStringLiteral("x") + QString(300, QChar(0x0301)) + QStringLiteral("y"));
    EXPECT_EQ(std::tuple(motion::nextCharacter(model, 150), motion::previousCharacter(model, 301),
                         motion::nextCharacter(model, -4), motion::previousCharacter(model, 400)),
              std::tuple(301, 0, 301, 301));
}

// Ctrl+Right to the start of the next word (behind the blanks that follow), Ctrl+Left to the
// start of this or the previous word; a run of punctuation is a word of its own; a line's
// end and a line's start are stops, whatever the break (a b CR LF c d SP e f LF CR g).
TEST(TextMotion, AWordStepStopsAtWordsPunctuationAndEveryLineBreak)
{
    const QString lines = QStringLiteral("ab\r\ncd ef\n\rg");
    expectFromEveryPosition(lines, motion::nextWord, {2, 2, 4, 4, 7, 7, 7, 9, 9, 10, 11, 12, 12});
    expectFromEveryPosition(lines, motion::previousWord, {0, 0, 0, 2, 2, 4, 4, 4, 7, 7, 9, 10, 11});
    const QString punctuated = QStringLiteral("e-mail  -- x");
    expectFromEveryPosition(punctuated, motion::nextWord, {1, 2, 8, 8, 8, 8, 8, 8, 11, 11, 11, 12, 12});
    expectFromEveryPosition(punctuated, motion::previousWord, {0, 0, 1, 2, 2, 2, 2, 2, 2, 8, 8, 8, 11});
    // No-break spaces and tabs are blanks; marks and pairs are in the word.
    expectFromEveryPosition(QString::fromUtf16(u"\u00A0a\u00A0b\tc"), motion::nextWord, {1, 3, 3, 5, 5, 6, 6});
    expectFromEveryPosition(QString::fromUtf16(u"e\u0301\U0001F600 x"), motion::previousWord, {0, 0, 0, 0, 0, 0, 5});

    TextModel model;
    model.setText(QStringLiteral("ab ") + QString(50000, u'w') + QStringLiteral(" z"));
    EXPECT_EQ(std::tuple(motion::previousWord(model, 33889), motion::nextWord(model, 33889),
                         motion::wordAround(model, 33889), motion::previousWord(model, 50004)),
              std::tuple(3, 50004, std::pair<qsizetype, qsizetype>(3, 50003), 3));
}

// A double-click selects the word or the run of punctuation it falls on; on a blank, the word
// before it; behind a line's last word, that word; at a line's start before a blank, and
// behind a line's last blank or punctuation, nothing.
TEST(TextMotion, WordAroundIsTheWordADoubleClickSelects)
{
    using Span = std::pair<qsizetype, qsizetype>;
    expectFromEveryPosition<Span>(QStringLiteral("e-mail  -- x"), motion::wordAround,
                                  {{0, 1}, {1, 2}, {2, 6}, {2, 6}, {2, 6}, {2, 6}, {2, 6}, {2, 6}, {8, 10}, {8, 10},
                                   {8, 10}, {11, 12}, {11, 12}});
    expectFromEveryPosition<Span>(QStringLiteral(" x;"), motion::wordAround, {{0, 0}, {1, 2}, {2, 3}, {3, 3}});
    expectFromEveryPosition<Span>(QStringLiteral("ab\r\ncd\rx"), motion::wordAround,
                                  {{0, 2}, {0, 2}, {0, 2}, {0, 2}, {4, 6}, {4, 6}, {4, 6}, {7, 8}, {7, 8}});
}
