// The tag command table: every row's texts pinned exactly, and what a row makes of a selection.
#include "tags/logic/TagTable.h"

#include <QSet>

#include <gtest/gtest.h>

using namespace folio::tags;

namespace {

struct Expected {
    const char* control;
    const char* caption;
    bool wrap;
    const char* opening;
    const char* closing;
};

// Written out separately from the program's table, in the menu's order.
const Expected kExpected[] = {
    {"mnuLineBreak", "Line B&reak <br>", false, "<br>", ""},
    {"mnuBS", "Insert a Blank Spa&ce", false, "&nbsp;", ""},
    {"mnuBold", "<&b> Your Text </b>", true, "<b> ", " </b>"},
    {"mnuUnderline", "<&u> Your Text </u>", true, "<u> ", " </u>"},
    {"mnuItalic", "<&i> Your Text </i>", true, "<i> ", " </i>"},
    {"mnuFont", "<&font> Your Text </font>", true, "<font face='arial' color=#000000 size=3> ", " </font>"},
    {"mnuAlignLeft", "align = &left", false, " align=left ", ""},
    {"mnuAlignCenter", "align = &center", false, " align=center ", ""},
    {"mnuAlignRight", "align = &right", false, " align=right ", ""},
    {"mnuAlignTop", "valign = &top", false, " valign=top ", ""},
    {"mnuAlignMiddle", "valign = &middle", false, " valign=middle ", ""},
    {"mnuAlignBottom", "align = &bottom", false, " valign=bottom ", ""},
    {"mnuAlignCenterPair", "<&center> Your Text </center>", true, "<center> ", " </center>"},
    {"mnuListOl", "<&ol> Your Text </ol>", true, "<ol> ", " </ol>"},
    {"mnuListUl", "<&ul> Your Text </ul>", true, "<ul> ", " </ul>"},
    {"mnuListLi", "<l&i> Your Text </li>", true, "<li> ", " </li>"},
    {"mnuTableBody", "<&table> Your Text </table>", true,
     "<table width='100%' border =2 cellpadding=10 cellspacing=0> ", " </table>"},
    {"mnuTableTr", "<t&r> Your Text </t&r>", true, "<tr> ", " </tr>"},
    {"mnuTableTd", "<t&d> Your Text </td>", true, "<td> ", " </td>"},
    {"mnuParagraph", "<&p> Your Text </p>", true, "<p> ", " </p>"},
    {"mnuDivision", "<&div> Your Text </div>", true, "<div> ", " </div>"},
};

QString s(const char* text)
{
    return QString::fromLatin1(text);
}

}  // namespace

TEST(TagTable, HoldsEveryMenuRowWithItsExactTexts)
{
    const auto table = tagTable();
    ASSERT_EQ(table.size(), std::size(kExpected));
    for (std::size_t i = 0; i < table.size(); ++i) {
        const TagRow& row = table[i];
        const Expected& want = kExpected[i];
        SCOPED_TRACE(want.control);
        EXPECT_EQ(s(row.control), s(want.control));
        EXPECT_EQ(s(row.caption), s(want.caption));
        EXPECT_EQ(row.kind == TagKind::Wrap, want.wrap);
        EXPECT_EQ(s(row.opening), s(want.opening));
        EXPECT_EQ(s(row.closing), s(want.closing));
        EXPECT_EQ(findTagRow(s(want.control)), &row);
    }
}

TEST(TagTable, RowsFollowTheCaptionRuleAndTheBlankRule)
{
    QSet<QString> names;
    for (const TagRow& row : tagTable()) {
        SCOPED_TRACE(row.control);
        EXPECT_FALSE(names.contains(s(row.control))) << "control named twice";
        names.insert(s(row.control));
        // Exactly the captions that promise "Your Text" wrap.
        EXPECT_EQ(s(row.caption).contains(QLatin1String("Your Text")), row.kind == TagKind::Wrap);
        if (row.kind == TagKind::Wrap) {
            EXPECT_TRUE(s(row.opening).startsWith(QLatin1Char('<')));
            EXPECT_TRUE(s(row.opening).endsWith(QLatin1String("> ")));
            EXPECT_FALSE(s(row.opening).endsWith(QLatin1String("  ")));
            EXPECT_TRUE(s(row.closing).startsWith(QLatin1String(" </")));
            EXPECT_FALSE(s(row.closing).startsWith(QLatin1String("  ")));
        } else {
            EXPECT_EQ(s(row.closing), QString());
        }
    }
    EXPECT_EQ(findTagRow(u"mnuHyperlink"), nullptr);
    EXPECT_EQ(findTagRow(u"mnubold"), nullptr);
    EXPECT_EQ(findTagRow(u""), nullptr);
}

TEST(ApplyTag, WrapsTheSelectionOrInsertsTheEmptyPair)
{
    const TagRow& bold = *findTagRow(u"mnuBold");
    EXPECT_EQ(applyTag(bold, QStringLiteral("word")), QLatin1String("<b> word </b>"));
    // Nothing selected: the two tags with two blanks between them.
    EXPECT_EQ(applyTag(bold, QString()), QLatin1String("<b>  </b>"));
    EXPECT_EQ(applyTag(*findTagRow(u"mnuAlignCenterPair"), QString()), QLatin1String("<center>  </center>"));
    // A selection over several lines, with tags already in it, is wrapped as it is.
    EXPECT_EQ(applyTag(*findTagRow(u"mnuDivision"), QStringLiteral("one\r\n<b> two </b>\r\n")),
              QLatin1String("<div> one\r\n<b> two </b>\r\n </div>"));
    // Selected blanks and letter case are kept.
    EXPECT_EQ(applyTag(*findTagRow(u"mnuParagraph"), QStringLiteral("  MiXed  ")), QLatin1String("<p>   MiXed   </p>"));
    EXPECT_EQ(applyTag(*findTagRow(u"mnuTableBody"), QStringLiteral("x")),
              QLatin1String("<table width='100%' border =2 cellpadding=10 cellspacing=0> x </table>"));
}

TEST(ApplyTag, ReplaceRowsDropTheSelection)
{
    EXPECT_EQ(applyTag(*findTagRow(u"mnuLineBreak"), QStringLiteral("word")), QLatin1String("<br>"));
    EXPECT_EQ(applyTag(*findTagRow(u"mnuBS"), QString()), QLatin1String("&nbsp;"));
    EXPECT_EQ(applyTag(*findTagRow(u"mnuAlignRight"), QStringLiteral("align=left")), QLatin1String(" align=right "));
    const QString bottom = applyTag(*findTagRow(u"mnuAlignBottom"), QStringLiteral("sel"));
    EXPECT_EQ(bottom, QLatin1String(" valign=bottom "));
    EXPECT_FALSE(bottom.contains(QLatin1String(" align=bottom")));
}
