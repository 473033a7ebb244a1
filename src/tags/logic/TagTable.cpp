#include "tags/logic/TagTable.h"

#include <array>

namespace folio::tags {

namespace {

constexpr std::array<TagRow, 21> kRows{{
    {"mnuLineBreak", "Line B&reak <br>", TagKind::Replace, "<br>", ""},
    {"mnuBS", "Insert a Blank Spa&ce", TagKind::Replace, "&nbsp;", ""},
    {"mnuBold", "<&b> Your Text </b>", TagKind::Wrap, "<b> ", " </b>"},
    {"mnuUnderline", "<&u> Your Text </u>", TagKind::Wrap, "<u> ", " </u>"},
    {"mnuItalic", "<&i> Your Text </i>", TagKind::Wrap, "<i> ", " </i>"},
    {"mnuFont", "<&font> Your Text </font>", TagKind::Wrap, "<font face='arial' color=#000000 size=3> ", " </font>"},
    {"mnuAlignLeft", "align = &left", TagKind::Replace, " align=left ", ""},
    {"mnuAlignCenter", "align = &center", TagKind::Replace, " align=center ", ""},
    {"mnuAlignRight", "align = &right", TagKind::Replace, " align=right ", ""},
    {"mnuAlignTop", "valign = &top", TagKind::Replace, " valign=top ", ""},
    {"mnuAlignMiddle", "valign = &middle", TagKind::Replace, " valign=middle ", ""},
    // Captioned as a horizontal alignment, but inserts the vertical one like its two neighbours.
    {"mnuAlignBottom", "align = &bottom", TagKind::Replace, " valign=bottom ", ""},
    {"mnuAlignCenterPair", "<&center> Your Text </center>", TagKind::Wrap, "<center> ", " </center>"},
    {"mnuListOl", "<&ol> Your Text </ol>", TagKind::Wrap, "<ol> ", " </ol>"},
    {"mnuListUl", "<&ul> Your Text </ul>", TagKind::Wrap, "<ul> ", " </ul>"},
    {"mnuListLi", "<l&i> Your Text </li>", TagKind::Wrap, "<li> ", " </li>"},
    {"mnuTableBody", "<&table> Your Text </table>", TagKind::Wrap,
     "<table width='100%' border =2 cellpadding=10 cellspacing=0> ", " </table>"},
    {"mnuTableTr", "<t&r> Your Text </t&r>", TagKind::Wrap, "<tr> ", " </tr>"},
    {"mnuTableTd", "<t&d> Your Text </td>", TagKind::Wrap, "<td> ", " </td>"},
    {"mnuParagraph", "<&p> Your Text </p>", TagKind::Wrap, "<p> ", " </p>"},
    {"mnuDivision", "<&div> Your Text </div>", TagKind::Wrap, "<div> ", " </div>"},
}};

}  // namespace

std::span<const TagRow> tagTable()
{
    return kRows;
}

const TagRow* findTagRow(QStringView control)
{
    for (const TagRow& row : kRows) {
        if (control == QLatin1String(row.control))
            return &row;
    }
    return nullptr;
}

QString applyTag(const TagRow& row, const QString& selText)
{
    const QString opening = QString::fromLatin1(row.opening);
    if (row.kind == TagKind::Replace)
        return opening;
    return opening + selText + QString::fromLatin1(row.closing);
}

}  // namespace folio::tags
