#pragma once
// The commands of the "&HTML Tags" menu as constant data: one row per menu entry, routed by
// the entry's control name. Every text is exact to the blank.
#include <QString>
#include <QStringView>

#include <span>

namespace folio::tags {

enum class TagKind {
    Wrap,     // opening text, the selection unchanged, closing text
    Replace,  // the literal in place of the selection (or at the caret)
};

struct TagRow {
    const char* control;  // menu control name, e.g. "mnuBold"
    const char* caption;  // menu caption with its access key
    TagKind kind;
    const char* opening;  // opening text of a wrap row, the literal of a replace row
    const char* closing;  // closing text of a wrap row, "" for a replace row
};

// Every row, in the order of the menu.
std::span<const TagRow> tagTable();

// The row of a menu control, or nullptr when the name has none.
const TagRow* findTagRow(QStringView control);

// The text that takes the place of the selection.
QString applyTag(const TagRow& row, const QString& selText);

}  // namespace folio::tags
