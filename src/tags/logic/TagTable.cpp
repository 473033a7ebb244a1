#include "tags/logic/TagTable.h"

#include <array>

namespace folio::tags {

namespace {

constexpr std::array<TagRow, std::size_t(Tag::Count)> kRows{{
    {Tag::LineBreak, TagKind::Replace, "<br>", ""},
    {Tag::BlankSpace, TagKind::Replace, "&nbsp;", ""},
    {Tag::Bold, TagKind::Wrap, "<b> ", " </b>"},
    {Tag::Underline, TagKind::Wrap, "<u> ", " </u>"},
    {Tag::Italic, TagKind::Wrap, "<i> ", " </i>"},
    {Tag::Font, TagKind::Wrap, "<font face='arial' color=#000000 size=3> ", " </font>"},
    {Tag::AlignLeft, TagKind::Replace, " align=left ", ""},
    {Tag::AlignCenter, TagKind::Replace, " align=center ", ""},
    {Tag::AlignRight, TagKind::Replace, " align=right ", ""},
    {Tag::AlignTop, TagKind::Replace, " valign=top ", ""},
    {Tag::AlignMiddle, TagKind::Replace, " valign=middle ", ""},
    // Captioned as a horizontal alignment, but inserts the vertical one like its two neighbours.
    {Tag::AlignBottom, TagKind::Replace, " valign=bottom ", ""},
    {Tag::AlignCenterPair, TagKind::Wrap, "<center> ", " </center>"},
    {Tag::ListOl, TagKind::Wrap, "<ol> ", " </ol>"},
    {Tag::ListUl, TagKind::Wrap, "<ul> ", " </ul>"},
    {Tag::ListLi, TagKind::Wrap, "<li> ", " </li>"},
    {Tag::TableBody, TagKind::Wrap, "<table width='100%' border =2 cellpadding=10 cellspacing=0> ", " </table>"},
    {Tag::TableTr, TagKind::Wrap, "<tr> ", " </tr>"},
    {Tag::TableTd, TagKind::Wrap, "<td> ", " </td>"},
    {Tag::Paragraph, TagKind::Wrap, "<p> ", " </p>"},
    {Tag::Division, TagKind::Wrap, "<div> ", " </div>"},
}};

// Each row stands at the place of its Tag, so a command's row is found by its number.
constexpr bool rowsInTagOrder()
{
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        if (kRows[i].tag != Tag(i))
            return false;
    }
    return true;
}
static_assert(rowsInTagOrder(), "every row of the tag table stands at the place of its Tag");

}  // namespace

const TagRow& tagRow(Tag tag)
{
    return kRows.at(std::size_t(tag));
}

QString applyTag(const TagRow& row, const QString& selText)
{
    QString opening = QString::fromLatin1(row.opening);
    if (row.kind == TagKind::Replace)
        return opening;
    return opening + selText + QString::fromLatin1(row.closing);
}

}  // namespace folio::tags
