#pragma once
// How the text box's text is laid into its widget document, and back.
//
// The model text joins lines with CR LF, lone LF or lone CR. The widget keeps one block
// per line, and a line longer than the division length in several blocks separated by
// divisions; the break that opens a block is remembered in the block's format. Three
// characters cannot stand inside a block at all, because the widget's document turns each
// of them into a block break when it is inserted: U+2029 (paragraph separator) and the
// two frame marks U+FDD0 and U+FDD1. Such a character is kept in the widget as the
// replacement character U+FFFD whose character format names the real character; a
// U+FFFD without that mark is an ordinary U+FFFD.
#include "platform/logic/BreakIndex.h"

#include <QString>
#include <QStringView>
#include <QTextFormat>

#include <array>
#include <cstdint>
#include <vector>

namespace folio::textbox {

// The break that opens a block (Break, BreakIndex.h) is kept as a block format property;
// CR LF, the document default, is stored as a missing property, so the blocks of an
// ordinary text share one block format.
inline constexpr int BreakProperty = QTextFormat::UserProperty + 1;       // block format
inline constexpr int SubstituteProperty = QTextFormat::UserProperty + 2;  // char format
inline constexpr char16_t SubstituteChar = u'\uFFFD';

// Lines longer than this are divided for display (see Break::Division).
inline constexpr qsizetype DivisionLength = 4096;
// A text longer than this fills into the widget in slices from the event loop; the first
// slice, laid in at once, is more than a screenful.
inline constexpr qsizetype FillSliceLength = qsizetype(256) * 1024;

// True for the characters that have to be kept as a marked U+FFFD.
constexpr bool needsSubstitute(char16_t c)
{
    return c == u'\u2029' || c == u'\uFDD0' || c == u'\uFDD1';
}

// A model text prepared for one insertion into the widget document.
struct WidgetText {
    // The text to insert. Its breaks are left as they are (the document makes one block
    // break of a CR LF pair, a lone CR and a lone LF alike); only the characters of
    // needsSubstitute() are replaced, and only then is this a copy of the model text.
    QString text;
    // The break before each new block, in order, divisions included.
    std::vector<Break> breaks;
    // Offsets in `text` before which a division goes, ascending. A division is no
    // character of the text: the text is inserted in the stretches between them, with a
    // new block at each.
    std::vector<qsizetype> divisions;
    // How many breaks of each kind, indexed by Break.
    std::array<qsizetype, 4> breakCount{};
    // Replaced characters: offset in the widget document from the insertion point, and
    // the real character.
    struct Substitute {
        qsizetype widgetOffset;
        char16_t real;
    };
    std::vector<Substitute> substitutes;
};

// Lines of `modelText` longer than `divisionLength` are divided, each piece but the last
// as long as divisionPoint() makes it.
WidgetText toWidgetText(const QString& modelText, qsizetype divisionLength = DivisionLength);

// Where to divide a line longer than `divisionLength` (at least 2): the length of its first
// piece. Behind the last blank in the second half of that length, else behind the last
// '>', ';', ',' or '}' there, else at the length itself; never between the two halves of
// a surrogate pair. A line no longer than that is one piece.
qsizetype divisionPoint(QStringView line, qsizetype divisionLength);

// The kind most line breaks of `text` have (CR LF when there is none or on a tie with it).
Break mostCommonBreak(const WidgetText& text);

}  // namespace folio::textbox
