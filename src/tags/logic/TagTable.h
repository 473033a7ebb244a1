#pragma once
// The commands of the "&HTML Tags" menu as constant data: one row per command, in the order
// of the menu. A menu entry names its command by the Tag of its row, so an entry without a
// row does not compile. Every text is exact to the blank.
#include <QString>

namespace folio::tags {

// One per row of the table, in its order; the comment names the menu entry.
enum class Tag {
    LineBreak,        // mnuLineBreak
    BlankSpace,       // mnuBS
    Bold,             // mnuBold
    Underline,        // mnuUnderline
    Italic,           // mnuItalic
    Font,             // mnuFont
    AlignLeft,        // mnuAlignLeft
    AlignCenter,      // mnuAlignCenter
    AlignRight,       // mnuAlignRight
    AlignTop,         // mnuAlignTop
    AlignMiddle,      // mnuAlignMiddle
    AlignBottom,      // mnuAlignBottom
    AlignCenterPair,  // mnuAlignCenterPair
    ListOl,           // mnuListOl
    ListUl,           // mnuListUl
    ListLi,           // mnuListLi
    TableBody,        // mnuTableBody
    TableTr,          // mnuTableTr
    TableTd,          // mnuTableTd
    Paragraph,        // mnuParagraph
    Division,         // mnuDivision
    Count
};

enum class TagKind {
    Wrap,     // opening text, the selection unchanged, closing text
    Replace,  // the literal in place of the selection (or at the caret)
};

struct TagRow {
    Tag tag;
    TagKind kind;
    const char* opening;  // opening text of a wrap row, the literal of a replace row
    const char* closing;  // closing text of a wrap row, "" for a replace row
};

// The row of a command.
const TagRow& tagRow(Tag tag);

// The text that takes the place of the selection.
QString applyTag(const TagRow& row, const QString& selText);

}  // namespace folio::tags
