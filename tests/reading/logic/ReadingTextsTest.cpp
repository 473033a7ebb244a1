// The fixed texts of the reading windows: their line structure, the exact lines, and that they
// name no address but our own placeholders.
#include "reading/logic/ReadingTexts.h"

#include <folio_version.h>

#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace folio::reading;

namespace {

QStringList L(std::initializer_list<const char*> list)
{
    QStringList out;
    for (const char* s : list)
        out << QString::fromUtf8(s);
    return out;
}

// The lines of a text whose every line ends in CR LF; fails on a missing final break or a bare
// CR or LF.
QStringList linesOf(const QString& text)
{
    EXPECT_TRUE(text.endsWith(QLatin1String("\r\n"))) << "the text must end with a line break";
    QString withoutPairs = text;
    withoutPairs.remove(QLatin1String("\r\n"));
    EXPECT_FALSE(withoutPairs.contains(QLatin1Char('\r')) || withoutPairs.contains(QLatin1Char('\n'))) << "bare CR or LF";
    QStringList lines = text.split(QLatin1String("\r\n"));
    lines.removeLast();
    return lines;
}

QString rule(int n) { return QString(n, QLatin1Char('=')); }

// How many rules of each length the text holds.
std::map<int, int> ruleCounts(const QStringList& lines)
{
    static const QRegularExpression re(QStringLiteral("^=+$"));
    std::map<int, int> counts;
    for (const QString& line : lines)
        if (re.match(line).hasMatch())
            ++counts[int(line.size())];
    return counts;
}

// Every expected line is found as a whole line, each one after the one before it.
void expectLinesInOrder(const QStringList& lines, const QStringList& expected)
{
    qsizetype from = 0;
    for (const QString& want : expected) {
        const qsizetype at = lines.indexOf(want, from);
        ASSERT_GE(at, 0) << "missing, or out of order: \"" << want.toStdString() << "\"";
        from = at + 1;
    }
}

// The expected lines stand one directly after the other, from the `nth` occurrence of the first.
void expectBlock(const QStringList& lines, const QStringList& block, int nth = 0)
{
    qsizetype at = -1;
    for (int i = 0; i <= nth; ++i)
        at = lines.indexOf(block.first(), at + 1);
    ASSERT_GE(at, 0) << "missing: \"" << block.first().toStdString() << "\"";
    EXPECT_EQ(lines.mid(at, block.size()), block);
}

// Web, mail and file addresses may only be our example.com placeholders and the sample local page.
void expectOnlyPlaceholderAddresses(const QString& text)
{
    static const QRegularExpression url(QStringLiteral("[A-Za-z]+://[^\\s'\"<>]*"));
    for (auto it = url.globalMatch(text); it.hasNext();) {
        const QString found = it.next().captured();
        EXPECT_TRUE(found == QLatin1String("http://www.example.com") || found.startsWith(QLatin1String("http://www.example.com/"))
                    || found == QLatin1String("file:///c:/folder_name/web_page.html"))
            << "address not ours: " << found.toStdString();
    }
    static const QRegularExpression mail(QStringLiteral("[\\w.+-]+@([\\w-]+(?:\\.[\\w-]+)*)"));
    for (auto it = mail.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        EXPECT_EQ(m.captured(1), QLatin1String("example.com")) << m.captured().toStdString();
    }
    static const QRegularExpression www(QStringLiteral("www\\.(?!example\\.com)"), QRegularExpression::CaseInsensitiveOption);
    EXPECT_FALSE(www.match(text).hasMatch());
}

const QStringList kHeadTagLines = L({
    "<meta http-equiv='content-language' content='English'>",
    "<meta name='Generator' content='Tagwright Folio'>",
    "<meta name='Version' content='8.0.3410'>",
    "<meta name='Date' content='10/11/96'>",
    "<meta name='Template' content='C:\\My Documents\\Template_HTML.Ext'>",
    "<meta name='keywords' content='html, editor, tutorial, Tagwright Folio'>",
    "<meta name='description' content='An easy to use html editor with tutorial'>",
    "<meta name='author' content='The Tagwright Folio Authors'>",
    "<title> Tutorial on HTML tags </title>",
});
const QString kReminder = QStringLiteral("This tag line should appear between <head> and </head> tag lines. ");
const QString kBody = QStringLiteral("<body bgcolor='#ffffff' text='#000000' link='#0000ff' vlink='#ff0000' alink='#800080'>");

}  // namespace

TEST(HtmlTutorialText, OpeningClosingAndRules)
{
    const QStringList lines = linesOf(htmlTutorialText());
    ASSERT_GT(lines.size(), 20);
    EXPECT_EQ(lines.mid(0, 6), (QStringList{QString(), QStringLiteral("Tutorial on HTML tags :--"), QString(),
                                            QStringLiteral("Written by The Tagwright Folio Authors"), rule(25), QString()}));
    EXPECT_EQ(lines.mid(lines.size() - 2), (QStringList{QString(), QStringLiteral("  * * *   End of this Tutorial on HTML")}));
    EXPECT_EQ(ruleCounts(lines), (std::map<int, int>{{25, 1}, {61, 1}, {62, 27}}));
    // The one short rule follows the closing tags and their note.
    const qsizetype at61 = lines.indexOf(rule(61));
    EXPECT_EQ(lines.mid(at61 - 2, 4), (QStringList{QStringLiteral("</html>"), lines[at61 - 1], rule(61), QString()}));
    EXPECT_FALSE(lines[at61 - 1].isEmpty());
    EXPECT_TRUE(lines[at61 + 2].contains(QLatin1String("Tagwright  Folio")) && lines[at61 + 2].endsWith(QLatin1Char(' ')));
    // Every long rule is followed by an empty line; only the one after the colour list by two.
    int doubleGaps = 0;
    for (qsizetype i = 0; i + 2 < lines.size(); ++i) {
        if (lines[i] != rule(62))
            continue;
        EXPECT_TRUE(lines[i + 1].isEmpty()) << "rule at line " << i + 1;
        doubleGaps += lines[i + 2].isEmpty();
    }
    EXPECT_EQ(doubleGaps, 1);
    for (const QString& line : lines)
        EXPECT_FALSE(!line.isEmpty() && line.trimmed().isEmpty()) << "line of blanks only";
}

TEST(HtmlTutorialText, ReminderFollowsEachOfTheNineHeadBlocksAndNothingElse)
{
    const QStringList lines = linesOf(htmlTutorialText());
    EXPECT_EQ(lines.count(kReminder), 9);
    for (const QString& tag : kHeadTagLines) {
        SCOPED_TRACE(tag.toStdString());
        const qsizetype at = lines.indexOf(tag);
        ASSERT_GT(at, 0);
        EXPECT_TRUE(lines[at - 1].isEmpty());
        // tag line, one or two lines of explanation, reminder, rule, empty line
        qsizetype i = at + 1;
        while (i + 2 < lines.size() && lines[i] != kReminder && lines[i] != rule(62))
            ++i;
        EXPECT_EQ(lines.mid(i, 3), (QStringList{kReminder, rule(62), QString()}));
        EXPECT_TRUE(i - at - 1 == 1 || i - at - 1 == 2) << i - at - 1 << " lines of explanation";
    }
    EXPECT_EQ(lines[lines.indexOf(kHeadTagLines[1]) + 3], kReminder);  // the generator's two lines
    for (qsizetype i = lines.indexOf(kBody); i >= 0 && lines[i] != rule(62); ++i)
        EXPECT_NE(lines[i], kReminder);
}

TEST(HtmlTutorialText, ExactLinesAndBlocksInOrder)
{
    const QStringList lines = linesOf(htmlTutorialText());
    expectLinesInOrder(lines, L({"<!--  Your comments -->", "<html>", "</html>", "<head>", "</head>"}) + kHeadTagLines
        + QStringList{kBody} + L({
        "background='/sub-folder/image_name.jpg'", "black or #000000", "darkGray or #404040 ", "yellow or #ffff00",
        "<img src='50.gif' width=542 height=8>",
        "<img src='50.gif' alt='keywords for the image' width=542 height=8>",
        "<A href='http://www.example.com' target='main' >your_site name</A>",
        "<A href='http://www.example.com' target='main'><img src='50.gif' width=542 height=8 border=0 align=center></A>",
        "E-mail : <a href='mailto:info@example.com'>info@example.com</a>",
        "<A href='file:///c:/folder_name/web_page.html' >your_site name</A>",
        "<p>text to be displayed</p>",
        "<font face='Times New Roman' color=#ff0080 size=3><strong>Site Map</strong></font>",
        "<strong>display text</strong> ", "<b>display text</b> ", "<u>display text</u>", "<em>display text</em>",
        "<i>display text</i>", "<table width='100%'>", "</table>", "<tr valign='top'>", "</tr>",
        "  <td><img src='images/deadnettle.gif'></td>", "<a name='contents'>Contents</a>",
        "<a href='#contents'>Go to Contents</a>",
        "<br>      This means a line break or a carriage return within the web page", "</body>", "</html>"}));

    expectBlock(lines, L({"<html>", "Every .html file must start with this tag.", "</html>"}));
    expectBlock(lines, L({"<head>", "</head>"}));
    expectBlock(lines, L({"<strong>display text</strong> ", "<b>display text</b> "}));
    expectBlock(lines, L({"</body>", "</html>"}));
    expectBlock(lines, QStringList{QStringLiteral("<img src='50.gif' alt='keywords for the image' width=542 height=8>"), rule(62)});
    // The five attribute notes follow the body tag in its attributes' order.
    const qsizetype body = lines.indexOf(kBody);
    const char* const attributes[] = {"bgcolor", "text=", "link=", "vlink=", "alink="};
    for (int k = 0; k < 5; ++k)
        EXPECT_TRUE(lines[body + 2 + k].startsWith(QLatin1String(attributes[k]))) << lines[body + 2 + k].toStdString();
    // Colour list, the table (its cells twice: alone, then inside the whole table), entities.
    const QStringList colours = L({"black or #000000", "blue or #0000ff", "cyan or #00ffff", "darkGray or #404040 ",
        "gray or #808080", "green or #00ff00", "lightGray or #c0c0c0", "magenta or #ff00ff", "orange or #ffc800",
        "pink or #ffafaf", "red or #ff0000", "white or #ffffff", "yellow or #ffff00"});
    expectBlock(lines, colours + QStringList{rule(62), QString(), QString(), QStringLiteral("<img src='50.gif' width=542 height=8>")});
    EXPECT_TRUE(lines[lines.indexOf(colours.first()) - 1].isEmpty());
    const QStringList cells = L({"  <td><img src='images/deadnettle.gif'></td>", "  <td><img src='images/daisy.png'></td>",
                                 "  <td><img src='images/ingold1.jpg'></td>"});
    EXPECT_EQ(lines.count(cells[0]), 2);
    expectBlock(lines, cells);
    expectBlock(lines, L({"<table width='100%'>", "<tr valign='top'>"}) + cells + L({"  </tr>", "<tr>",
        "  <td align='center'>GIF</td>", "  <td align='center'>PNG</td>", "  <td align='center'>JPG</td>",
        "  </tr>", "</table>", ""}), 1);
    expectBlock(lines, L({"<br>      This means a line break or a carriage return within the web page",
        "&nbsp;        This means a new blank space",
        "&amp;     This means the & symbol in the web page contents to be displayed",
        "&gt;      This means the > symbol in the web page contents to be displayed",
        "&lt;      This means the < symbol in the web page contents to be displayed"}) + QStringList{rule(62), QString()});
}

TEST(ReadingTexts, NameNoAddressButOurPlaceholdersAndTheAuthorAlike)
{
    for (const QString& text : {htmlTutorialText(), autorunTutorialText(), aboutText()})
        expectOnlyPlaceholderAddresses(text);
    // The check itself must catch a stranger.
    EXPECT_NONFATAL_FAILURE(expectOnlyPlaceholderAddresses(QStringLiteral("see http://example.org/x")), "");
    EXPECT_NONFATAL_FAILURE(expectOnlyPlaceholderAddresses(QStringLiteral("write to joe@mail.example.net")), "");
    EXPECT_TRUE(htmlTutorialText().contains(QStringLiteral("<meta name='author' content='") + kAuthorName + QStringLiteral("'>")));
    EXPECT_TRUE(autorunTutorialText().contains(QStringLiteral("\r\nWritten by ") + kAuthorName + QStringLiteral("\r\n")));
    EXPECT_TRUE(aboutText().contains(QStringLiteral("\r\n") + kAuthorName.toUpper() + QStringLiteral("\r\n")));
}

TEST(AutorunTutorialText, HasItsStructureAndExactExample)
{
    const QStringList lines = linesOf(autorunTutorialText());
    ASSERT_EQ(lines.size(), 23);  // 21 entries, the example being three lines
    EXPECT_EQ(lines.mid(0, 3), L({"", "Tutorial on Autorun.inf Files :--", ""}));
    EXPECT_TRUE(lines[3].startsWith(QLatin1String("Written by ")));
    EXPECT_EQ(lines.mid(4, 2), (QStringList{rule(25), QString()}));
    EXPECT_EQ(ruleCounts(lines), (std::map<int, int>{{25, 1}, {66, 2}}));
    expectBlock(lines, QStringList{rule(66), QString()} + L({"[autorun]", "open=CD_start.exe",
                "Icon = an_icon_file_name.ico"}) + QStringList{rule(66), QString()});
    // The explanations follow in the order of the example's lines, one paragraph each.
    const qsizetype after = lines.lastIndexOf(rule(66)) + 2;
    const char* const named[] = {"[autorun]", "CD_start.exe", "An_icon_file_name.ico", "autorun.inf"};
    for (int k = 0; k < 4; ++k)
        EXPECT_TRUE(lines[after + 2 * k].contains(QLatin1String(named[k]))) << named[k];
    EXPECT_EQ(lines.mid(21), L({"", "  * * *   End of this Tutorial on Autorun.inf File"}));
}

TEST(AboutText, HasTwentyNineLinesWithTheirGapsAndExactLines)
{
    const QStringList lines = linesOf(aboutText());
    ASSERT_EQ(lines.size(), 29);
    EXPECT_EQ(lines.mid(0, 4), L({"", "Tagwright  Folio ", "Version : 1 . 5 . 2, Reference 20040328", ""}));
    EXPECT_TRUE(lines[4].endsWith(QLatin1Char(' ')) && lines[4].contains(QLatin1String("freeware")));
    EXPECT_EQ(lines[5], lines[5].toUpper());
    EXPECT_FALSE(lines[6].isEmpty());
    EXPECT_TRUE(lines[7].startsWith(QLatin1String("E-mail : ")));
    EXPECT_TRUE(lines[8].startsWith(QLatin1String("Web site : ")));
    EXPECT_EQ(lines.mid(9, 11), L({"", "", "TERMS  OF  USE  OF  THIS  APPLICATION  :--", "",
        "Tagwright Folio is developed neither as a site builder nor as a WYSIWYG wizard. Tagwright Folio is basically "
        "a text editor, modified to use it as a web page editor, .INI and .INF files editor also. ",
        "", "Known Limitations :-- ",
        "1] It is advisable to use this application for editing the files of maximum 25 KB size. ",
        "2] Sometimes, copy, cut and paste menus don't work across the applications, although those work well within "
        "Tagwright Folio. In such cases, you may right click on the highlighted block of text and use pop-up menus "
        "that appear on the screen.",
        "3] While opening an existing file, it adds a blank line in the beginning of the file. ", ""}));
    for (int n = 21; n <= 29; ++n)  // prose lines alternate with empty lines
        EXPECT_EQ(lines[n - 1].isEmpty(), n % 2 == 0) << "line " << n;
    for (const char* named : {"'tutorial_01.chm'", "'MyShades.csv'", "F1"})
        EXPECT_TRUE(lines[22].contains(QLatin1String(named))) << named;
    EXPECT_TRUE(QRegularExpression(QStringLiteral("[A-Z]+ [A-Z]+ [A-Z]+\\.$")).match(lines[28]).hasMatch()) << lines[28].toStdString();
    EXPECT_EQ(kAboutCaption, QLatin1String("About  Tagwright Folio"));
    EXPECT_EQ(kHtmlTutorialCaption, QLatin1String("Tutorial on HTML Tags"));
}

TEST(AboutText, VersionLineFollowsTheBuildVersion)
{
    EXPECT_EQ(aboutVersionLine(2, 10, 0), QLatin1String("Version : 2 . 10 . 0, Reference 20040328"));
    const QString built = aboutVersionLine(folio::version::major, folio::version::minor, folio::version::revision);
    EXPECT_TRUE(aboutText().contains(QStringLiteral("\r\n") + built + QStringLiteral("\r\n")));
}
