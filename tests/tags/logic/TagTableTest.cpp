// The tag command table: every row's texts pinned exactly, and what a row makes of a selection.
#include "tags/logic/TagTable.h"

#include <gtest/gtest.h>

using namespace folio::tags;

namespace {

QString s(const char* text) { return QString::fromLatin1(text); }

}  // namespace

TEST(TagTable, EveryRowWithItsExactTextsWrapsOrReplaces)
{
    // Written out separately from the program's table, in the menu's order; a row with a closing
    // text wraps, one without replaces.
    const struct { const char* control; const char* caption; const char* opening; const char* closing; } expected[] = {
        {"mnuLineBreak", "Line B&reak <br>", "<br>", ""},
        {"mnuBS", "Insert a Blank Spa&ce", "&nbsp;", ""},
        {"mnuBold", "<&b> Your Text </b>", "<b> ", " </b>"},
        {"mnuUnderline", "<&u> Your Text </u>", "<u> ", " </u>"},
        {"mnuItalic", "<&i> Your Text </i>", "<i> ", " </i>"},
        {"mnuFont", "<&font> Your Text </font>", "<font face='arial' color=#000000 size=3> ", " </font>"},
        {"mnuAlignLeft", "align = &left", " align=left ", ""},
        {"mnuAlignCenter", "align = &center", " align=center ", ""},
        {"mnuAlignRight", "align = &right", " align=right ", ""},
        {"mnuAlignTop", "valign = &top", " valign=top ", ""},
        {"mnuAlignMiddle", "valign = &middle", " valign=middle ", ""},
        {"mnuAlignBottom", "align = &bottom", " valign=bottom ", ""},
        {"mnuAlignCenterPair", "<&center> Your Text </center>", "<center> ", " </center>"},
        {"mnuListOl", "<&ol> Your Text </ol>", "<ol> ", " </ol>"},
        {"mnuListUl", "<&ul> Your Text </ul>", "<ul> ", " </ul>"},
        {"mnuListLi", "<l&i> Your Text </li>", "<li> ", " </li>"},
        {"mnuTableBody", "<&table> Your Text </table>", "<table width='100%' border =2 cellpadding=10 cellspacing=0> ", " </table>"},
        {"mnuTableTr", "<t&r> Your Text </t&r>", "<tr> ", " </tr>"},
        {"mnuTableTd", "<t&d> Your Text </td>", "<td> ", " </td>"},
        {"mnuParagraph", "<&p> Your Text </p>", "<p> ", " </p>"},
        {"mnuDivision", "<&div> Your Text </div>", "<div> ", " </div>"},
    };
    const auto table = tagTable();
    ASSERT_EQ(table.size(), std::size(expected));
    for (std::size_t i = 0; i < table.size(); ++i) {
        const TagRow& row = table[i];
        const auto& want = expected[i];
        SCOPED_TRACE(want.control);
        const bool wrap = *want.closing != 0;
        EXPECT_EQ(s(row.control), s(want.control));
        EXPECT_EQ(s(row.caption), s(want.caption));
        EXPECT_EQ(row.kind == TagKind::Wrap, wrap);
        EXPECT_EQ(s(row.opening), s(want.opening));
        EXPECT_EQ(s(row.closing), s(want.closing));
        EXPECT_EQ(findTagRow(s(want.control)), &row);
        // A wrap row keeps the selection between its texts (nothing selected: the empty pair);
        // a replace row drops it.
        EXPECT_EQ(applyTag(row, QStringLiteral("beta")), wrap ? s(want.opening) + QStringLiteral("beta") + s(want.closing) : s(want.opening));
        EXPECT_EQ(applyTag(row, QString()), s(want.opening) + s(want.closing));
    }
    EXPECT_EQ(findTagRow(u"mnuHyperlink"), nullptr);
    EXPECT_EQ(findTagRow(u"mnubold"), nullptr);
    EXPECT_EQ(findTagRow(u""), nullptr);
}

TEST(ApplyTag, WrapsSeveralLinesTagsBlanksAndCaseAsTheyAre)
{
    EXPECT_EQ(applyTag(*findTagRow(u"mnuDivision"), QStringLiteral("one\r\n<b> two </b>\r\n")),
              QLatin1String("<div> one\r\n<b> two </b>\r\n </div>"));
    EXPECT_EQ(applyTag(*findTagRow(u"mnuParagraph"), QStringLiteral("  MiXed  ")), QLatin1String("<p>   MiXed   </p>"));
    EXPECT_EQ(applyTag(*findTagRow(u"mnuAlignRight"), QStringLiteral("align=left")), QLatin1String(" align=right "));
}
