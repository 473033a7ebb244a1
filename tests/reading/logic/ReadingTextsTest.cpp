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

// The lines of a text whose every line ends in CR LF. Fails the test when the text does not end
// in CR LF or holds a CR or LF that is not part of a CR LF pair.
QStringList linesOf(const QString& text)
{
    EXPECT_TRUE(text.endsWith(QLatin1String("\r\n"))) << "the text must end with a line break";
    QString withoutPairs = text;
    withoutPairs.remove(QLatin1String("\r\n"));
    EXPECT_FALSE(withoutPairs.contains(QLatin1Char('\r'))) << "bare CR in the text";
    EXPECT_FALSE(withoutPairs.contains(QLatin1Char('\n'))) << "bare LF in the text";
    QStringList lines = text.split(QLatin1String("\r\n"));
    lines.removeLast();  // what follows the final line break
    return lines;
}

bool isRule(const QString& line)
{
    static const QRegularExpression rule(QStringLiteral("^=+$"));
    return rule.match(line).hasMatch();
}

int countOf(const QStringList& lines, const QString& line)
{
    return static_cast<int>(lines.count(line));
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

// The expected lines stand one directly after the other.
void expectBlock(const QStringList& lines, const QStringList& block)
{
    const qsizetype at = lines.indexOf(block.first());
    ASSERT_GE(at, 0) << "missing: \"" << block.first().toStdString() << "\"";
    ASSERT_LE(at + block.size(), lines.size());
    EXPECT_EQ(lines.mid(at, block.size()), block);
}

// Web, mail and file addresses may only be our example.com placeholders and the sample local page.
void expectOnlyPlaceholderAddresses(const QString& text)
{
    static const QRegularExpression url(QStringLiteral("[A-Za-z]+://[^\\s'\"<>]*"));
    for (auto it = url.globalMatch(text); it.hasNext();) {
        const QString found = it.next().captured();
        const bool ours = found == QLatin1String("http://www.example.com")
            || found.startsWith(QLatin1String("http://www.example.com/"))
            || found == QLatin1String("file:///c:/folder_name/web_page.html");
        EXPECT_TRUE(ours) << "address not ours: " << found.toStdString();
    }
    static const QRegularExpression mail(QStringLiteral("[\\w.+-]+@([\\w-]+(?:\\.[\\w-]+)*)"));
    for (auto it = mail.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        EXPECT_EQ(m.captured(1), QLatin1String("example.com")) << m.captured().toStdString();
    }
    static const QRegularExpression www(QStringLiteral("www\\.(?!example\\.com)"), QRegularExpression::CaseInsensitiveOption);
    EXPECT_FALSE(www.match(text).hasMatch());
    static const QRegularExpression mailto(QStringLiteral("mailto:(?!info@example\\.com')"), QRegularExpression::CaseInsensitiveOption);
    for (auto it = mailto.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        // "mailto:" may stand alone in prose, but never in front of another address.
        EXPECT_FALSE(text.mid(m.capturedEnd(), 40).contains(QLatin1Char('@')));
    }
}

const QStringList kHeadTagLines = {
    QStringLiteral("<meta http-equiv='content-language' content='English'>"),
    QStringLiteral("<meta name='Generator' content='Tagwright Folio'>"),
    QStringLiteral("<meta name='Version' content='8.0.3410'>"),
    QStringLiteral("<meta name='Date' content='10/11/96'>"),
    QStringLiteral("<meta name='Template' content='C:\\My Documents\\Template_HTML.Ext'>"),
    QStringLiteral("<meta name='keywords' content='html, editor, tutorial, Tagwright Folio'>"),
    QStringLiteral("<meta name='description' content='An easy to use html editor with tutorial'>"),
    QStringLiteral("<meta name='author' content='The Tagwright Folio Authors'>"),
    QStringLiteral("<title> Tutorial on HTML tags </title>"),
};

const QString kReminder = QStringLiteral("This tag line should appear between <head> and </head> tag lines. ");
const QString kS25 = QString(25, QLatin1Char('='));
const QString kS61 = QString(61, QLatin1Char('='));
const QString kS62 = QString(62, QLatin1Char('='));
const QString kS66 = QString(66, QLatin1Char('='));

}  // namespace

TEST(HtmlTutorialText, OpensWithEmptyLineTitleAndByLineAndEndsWithClosingLine)
{
    const QStringList lines = linesOf(htmlTutorialText());
    ASSERT_GT(lines.size(), 20);
    EXPECT_EQ(lines[0], QString());
    EXPECT_EQ(lines[1], QLatin1String("Tutorial on HTML tags :--"));
    EXPECT_EQ(lines[2], QString());
    EXPECT_EQ(lines[3], QLatin1String("Written by The Tagwright Folio Authors"));
    EXPECT_EQ(lines[4], kS25);
    EXPECT_EQ(lines[5], QString());
    EXPECT_EQ(lines.last(), QLatin1String("  * * *   End of this Tutorial on HTML"));
    EXPECT_EQ(lines[lines.size() - 2], QString());
    EXPECT_EQ(kHtmlTutorialCaption, QLatin1String("Tutorial on HTML Tags"));
}

TEST(HtmlTutorialText, SeparatorsHaveTheirExactLengthsAndCounts)
{
    const QStringList lines = linesOf(htmlTutorialText());
    int s25 = 0, s61 = 0, s62 = 0;
    for (const QString& line : lines) {
        if (!isRule(line))
            continue;
        if (line == kS25) {
            ++s25;
        } else if (line == kS61) {
            ++s61;
        } else if (line == kS62) {
            ++s62;
        } else {
            ADD_FAILURE() << "rule of " << line.size() << " equals signs";
        }
    }
    EXPECT_EQ(s25, 1);
    EXPECT_EQ(s61, 1);
    EXPECT_EQ(s62, 27);
    // The one short rule comes after the closing tags, before the closing paragraphs.
    const qsizetype at61 = lines.indexOf(kS61);
    ASSERT_GE(at61, 2);
    EXPECT_FALSE(lines[at61 - 1].isEmpty());
    EXPECT_EQ(lines[at61 - 2], QLatin1String("</html>"));
    EXPECT_EQ(lines[at61 + 1], QString());
    // Every long rule is followed by an empty line; only the one after the colour list by two.
    int doubleGaps = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i] != kS62)
            continue;
        ASSERT_LT(i + 2, lines.size());
        EXPECT_TRUE(lines[i + 1].isEmpty()) << "rule at line " << i + 1;
        if (lines[i + 2].isEmpty())
            ++doubleGaps;
    }
    EXPECT_EQ(doubleGaps, 1);
    EXPECT_EQ(lines[lines.indexOf(QStringLiteral("yellow or #ffff00")) + 3], QString());
}

TEST(HtmlTutorialText, ReminderFollowsEachOfTheNineHeadBlocksAndNothingElse)
{
    const QStringList lines = linesOf(htmlTutorialText());
    EXPECT_EQ(countOf(lines, kReminder), 9);
    for (const QString& tag : kHeadTagLines) {
        const qsizetype at = lines.indexOf(tag);
        ASSERT_GE(at, 0) << tag.toStdString();
        EXPECT_TRUE(lines[at - 1].isEmpty()) << tag.toStdString();
        // tag line, one or two lines of explanation, reminder, rule, empty line
        qsizetype i = at + 1;
        while (i < lines.size() && lines[i] != kReminder && lines[i] != kS62)
            ++i;
        ASSERT_LT(i + 2, lines.size());
        EXPECT_EQ(lines[i], kReminder) << "no reminder after " << tag.toStdString();
        const qsizetype explanationLines = i - at - 1;
        EXPECT_GE(explanationLines, 1);
        EXPECT_LE(explanationLines, 2);
        EXPECT_EQ(lines[i + 1], kS62);
        EXPECT_TRUE(lines[i + 2].isEmpty());
    }
    // The generator block says in a second line that the name must stay as it is.
    const qsizetype generator = lines.indexOf(kHeadTagLines[1]);
    EXPECT_EQ(lines[generator + 3], kReminder);
    // The body line opens the body, not the head: no reminder until the next rule.
    qsizetype i = lines.indexOf(QStringLiteral(
        "<body bgcolor='#ffffff' text='#000000' link='#0000ff' vlink='#ff0000' alink='#800080'>"));
    ASSERT_GE(i, 0);
    for (; lines[i] != kS62; ++i)
        EXPECT_NE(lines[i], kReminder);
}

TEST(HtmlTutorialText, ExactLinesStandInOrder)
{
    const QStringList lines = linesOf(htmlTutorialText());
    QStringList expected = {
        QStringLiteral("<!--  Your comments -->"),
        QStringLiteral("<html>"),
        QStringLiteral("</html>"),
        QStringLiteral("<head>"),
        QStringLiteral("</head>"),
    };
    expected += kHeadTagLines;
    expected += QStringList{
        QStringLiteral("<body bgcolor='#ffffff' text='#000000' link='#0000ff' vlink='#ff0000' alink='#800080'>"),
        QStringLiteral("background='/sub-folder/image_name.jpg'"),
        QStringLiteral("black or #000000"),
        QStringLiteral("darkGray or #404040 "),
        QStringLiteral("yellow or #ffff00"),
        QStringLiteral("<img src='50.gif' width=542 height=8>"),
        QStringLiteral("<img src='50.gif' alt='keywords for the image' width=542 height=8>"),
        QStringLiteral("<A href='http://www.example.com' target='main' >your_site name</A>"),
        QStringLiteral("<A href='http://www.example.com' target='main'><img src='50.gif' width=542 height=8 border=0 align=center></A>"),
        QStringLiteral("E-mail : <a href='mailto:info@example.com'>info@example.com</a>"),
        QStringLiteral("<A href='file:///c:/folder_name/web_page.html' >your_site name</A>"),
        QStringLiteral("<p>text to be displayed</p>"),
        QStringLiteral("<font face='Times New Roman' color=#ff0080 size=3><strong>Site Map</strong></font>"),
        QStringLiteral("<strong>display text</strong> "),
        QStringLiteral("<b>display text</b> "),
        QStringLiteral("<u>display text</u>"),
        QStringLiteral("<em>display text</em>"),
        QStringLiteral("<i>display text</i>"),
        QStringLiteral("<table width='100%'>"),
        QStringLiteral("</table>"),
        QStringLiteral("<tr valign='top'>"),
        QStringLiteral("</tr>"),
        QStringLiteral("  <td><img src='images/deadnettle.gif'></td>"),
        QStringLiteral("<a name='contents'>Contents</a>"),
        QStringLiteral("<a href='#contents'>Go to Contents</a>"),
        QStringLiteral("<br>      This means a line break or a carriage return within the web page"),
        QStringLiteral("</body>"),
        QStringLiteral("</html>"),
        QStringLiteral("  * * *   End of this Tutorial on HTML"),
    };
    expectLinesInOrder(lines, expected);

    // The tag line that opens a pair comes straight before the one that closes it.
    expectBlock(lines, {QStringLiteral("<html>"), QStringLiteral("Every .html file must start with this tag."),
                        QStringLiteral("</html>")});
    expectBlock(lines, {QStringLiteral("<head>"), QStringLiteral("</head>")});
    expectBlock(lines, {QStringLiteral("<strong>display text</strong> "), QStringLiteral("<b>display text</b> ")});
    expectBlock(lines, {QStringLiteral("</body>"), QStringLiteral("</html>")});
    expectBlock(lines, {QStringLiteral("<img src='50.gif' alt='keywords for the image' width=542 height=8>"), kS62});
}

TEST(HtmlTutorialText, ColourListTableAndEntitiesAreExactBlocks)
{
    const QStringList lines = linesOf(htmlTutorialText());
    const QStringList colours = {
        QStringLiteral("black or #000000"),    QStringLiteral("blue or #0000ff"),
        QStringLiteral("cyan or #00ffff"),     QStringLiteral("darkGray or #404040 "),
        QStringLiteral("gray or #808080"),     QStringLiteral("green or #00ff00"),
        QStringLiteral("lightGray or #c0c0c0"), QStringLiteral("magenta or #ff00ff"),
        QStringLiteral("orange or #ffc800"),   QStringLiteral("pink or #ffafaf"),
        QStringLiteral("red or #ff0000"),      QStringLiteral("white or #ffffff"),
        QStringLiteral("yellow or #ffff00"),
    };
    expectBlock(lines, colours + QStringList{kS62, QString(), QString(),
                                             QStringLiteral("<img src='50.gif' width=542 height=8>")});
    EXPECT_TRUE(lines[lines.indexOf(colours.first()) - 1].isEmpty());

    const QStringList cells = {
        QStringLiteral("  <td><img src='images/deadnettle.gif'></td>"),
        QStringLiteral("  <td><img src='images/daisy.png'></td>"),
        QStringLiteral("  <td><img src='images/ingold1.jpg'></td>"),
    };
    // The cells stand twice: alone with their explanation, then inside the complete table.
    EXPECT_EQ(countOf(lines, cells[0]), 2);
    expectBlock(lines, cells);
    const QStringList table = QStringList{QStringLiteral("<table width='100%'>"), QStringLiteral("<tr valign='top'>")}
        + cells
        + QStringList{QStringLiteral("  </tr>"), QStringLiteral("<tr>"),
                      QStringLiteral("  <td align='center'>GIF</td>"), QStringLiteral("  <td align='center'>PNG</td>"),
                      QStringLiteral("  <td align='center'>JPG</td>"), QStringLiteral("  </tr>"),
                      QStringLiteral("</table>"), QString()};
    const qsizetype tableAt = lines.indexOf(table[0], lines.lastIndexOf(QStringLiteral("</tr>")));
    ASSERT_GE(tableAt, 0);
    EXPECT_EQ(lines.mid(tableAt, table.size()), table);
    EXPECT_EQ(table.size() - 1, 12);

    expectBlock(lines, {
        QStringLiteral("<br>      This means a line break or a carriage return within the web page"),
        QStringLiteral("&nbsp;        This means a new blank space"),
        QStringLiteral("&amp;     This means the & symbol in the web page contents to be displayed"),
        QStringLiteral("&gt;      This means the > symbol in the web page contents to be displayed"),
        QStringLiteral("&lt;      This means the < symbol in the web page contents to be displayed"),
        kS62,
        QString(),
    });
}

TEST(HtmlTutorialText, ExplanationsHaveTheirPlaceAndShape)
{
    const QStringList lines = linesOf(htmlTutorialText());
    // The two opening paragraphs each end in a blank.
    EXPECT_TRUE(lines[6].endsWith(QLatin1Char(' ')));
    EXPECT_TRUE(lines[7].isEmpty());
    EXPECT_TRUE(lines[8].endsWith(QLatin1Char(' ')));
    EXPECT_EQ(lines[10], kS62);
    // Five attribute lines in the order of the body tag's attributes.
    const qsizetype body = lines.indexOf(QStringLiteral(
        "<body bgcolor='#ffffff' text='#000000' link='#0000ff' vlink='#ff0000' alink='#800080'>"));
    const QStringList attributes = {QStringLiteral("bgcolor"), QStringLiteral("text="), QStringLiteral("link="),
                                    QStringLiteral("vlink="), QStringLiteral("alink=")};
    for (int k = 0; k < attributes.size(); ++k)
        EXPECT_TRUE(lines[body + 2 + k].startsWith(attributes[k])) << lines[body + 2 + k].toStdString();
    // The target='main' note: two lines, the second ending in two blanks.
    const qsizetype target = lines.indexOf(QStringLiteral("<A href='http://www.example.com' target='main' >your_site name</A>"));
    EXPECT_TRUE(lines[target + 3].isEmpty());
    EXPECT_TRUE(lines[target + 5].endsWith(QLatin1String("  ")));
    EXPECT_FALSE(lines[target + 5].endsWith(QLatin1String("   ")));
    EXPECT_EQ(lines[target + 6], kS62);
    // The closing paragraph names the program with two blanks and ends in a blank.
    const qsizetype s61 = lines.indexOf(kS61);
    EXPECT_TRUE(lines[s61 + 2].contains(QLatin1String("Tagwright  Folio")));
    EXPECT_TRUE(lines[s61 + 2].endsWith(QLatin1Char(' ')));
    // Every line that is not empty, a rule or an example carries words, not stray blanks.
    for (const QString& line : lines)
        EXPECT_FALSE(!line.isEmpty() && line.trimmed().isEmpty()) << "line of blanks only";
}

TEST(ReadingTexts, NameNoAddressButOurPlaceholders)
{
    expectOnlyPlaceholderAddresses(htmlTutorialText());
    expectOnlyPlaceholderAddresses(autorunTutorialText());
    expectOnlyPlaceholderAddresses(aboutText());
    // The check itself must catch a stranger.
    EXPECT_NONFATAL_FAILURE(expectOnlyPlaceholderAddresses(QStringLiteral("see http://example.org/x")), "");
    EXPECT_NONFATAL_FAILURE(expectOnlyPlaceholderAddresses(QStringLiteral("write to joe@mail.example.net")), "");
    // The author is named the same way everywhere.
    EXPECT_TRUE(htmlTutorialText().contains(QStringLiteral("<meta name='author' content='") + kAuthorName + QStringLiteral("'>")));
    EXPECT_TRUE(autorunTutorialText().contains(QStringLiteral("\r\nWritten by ") + kAuthorName + QStringLiteral("\r\n")));
    EXPECT_TRUE(aboutText().contains(QStringLiteral("\r\n") + kAuthorName.toUpper() + QStringLiteral("\r\n")));
}

TEST(AutorunTutorialText, HasItsStructureAndExactExample)
{
    const QString text = autorunTutorialText();
    const QStringList lines = linesOf(text);
    ASSERT_EQ(lines.size(), 23);  // 21 entries, the example being three lines
    EXPECT_EQ(lines[0], QString());
    EXPECT_EQ(lines[1], QLatin1String("Tutorial on Autorun.inf Files :--"));
    EXPECT_EQ(lines[2], QString());
    EXPECT_TRUE(lines[3].startsWith(QLatin1String("Written by ")));
    EXPECT_EQ(lines[4], kS25);
    EXPECT_EQ(lines[5], QString());
    EXPECT_EQ(countOf(lines, kS66), 2);
    EXPECT_EQ(countOf(lines, kS25), 1);
    for (const QString& line : lines) {
        if (isRule(line)) {
            EXPECT_TRUE(line == kS25 || line == kS66) << line.size() << " equals signs";
        }
    }
    expectBlock(lines, {kS66, QString(), QStringLiteral("[autorun]"), QStringLiteral("open=CD_start.exe"),
                        QStringLiteral("Icon = an_icon_file_name.ico"), kS66, QString()});
    // The explanations follow in the order of the example's lines, one paragraph each.
    const qsizetype afterExample = lines.lastIndexOf(kS66) + 2;
    EXPECT_TRUE(lines[afterExample].contains(QLatin1String("[autorun]")));
    EXPECT_TRUE(lines[afterExample + 2].contains(QLatin1String("CD_start.exe")));
    EXPECT_TRUE(lines[afterExample + 4].contains(QLatin1String("An_icon_file_name.ico")));
    EXPECT_TRUE(lines[afterExample + 6].contains(QLatin1String("autorun.inf")));
    EXPECT_EQ(lines[21], QString());
    EXPECT_EQ(lines[22], QLatin1String("  * * *   End of this Tutorial on Autorun.inf File"));
    EXPECT_TRUE(text.endsWith(QLatin1String("Autorun.inf File\r\n")));
}

TEST(AboutText, HasTwentyNineLinesWithTheirGapsAndExactLines)
{
    const QStringList lines = linesOf(aboutText());
    ASSERT_EQ(lines.size(), 29);
    EXPECT_EQ(lines[0], QString());
    EXPECT_EQ(lines[1], QLatin1String("Tagwright  Folio "));
    EXPECT_EQ(lines[2], QLatin1String("Version : 1 . 5 . 2, Reference 20040328"));
    EXPECT_EQ(lines[3], QString());
    EXPECT_TRUE(lines[4].endsWith(QLatin1Char(' ')));
    EXPECT_TRUE(lines[4].contains(QLatin1String("freeware")));
    EXPECT_EQ(lines[5], lines[5].toUpper());
    EXPECT_FALSE(lines[6].isEmpty());
    EXPECT_TRUE(lines[7].startsWith(QLatin1String("E-mail : ")));
    EXPECT_TRUE(lines[8].startsWith(QLatin1String("Web site : ")));
    // Exactly two empty lines between the web-site line and the heading, one after it.
    EXPECT_EQ(lines.mid(9, 5), (QStringList{QString(), QString(),
                                            QStringLiteral("TERMS  OF  USE  OF  THIS  APPLICATION  :--"),
                                            QString(),
                                            QStringLiteral("Tagwright Folio is developed neither as a site builder nor as a WYSIWYG wizard. "
                                                           "Tagwright Folio is basically a text editor, modified to use it as a web page editor, .INI and .INF files editor also. ")}));
    EXPECT_EQ(lines.mid(14, 6), (QStringList{
        QString(),
        QStringLiteral("Known Limitations :-- "),
        QStringLiteral("1] It is advisable to use this application for editing the files of maximum 25 KB size. "),
        QStringLiteral("2] Sometimes, copy, cut and paste menus don't work across the applications, although those work well within Tagwright Folio. In such cases, you may right click on the highlighted block of text and use pop-up menus that appear on the screen."),
        QStringLiteral("3] While opening an existing file, it adds a blank line in the beginning of the file. "),
        QString(),
    }));
    // Prose lines 21 to 29 alternate with empty lines.
    for (int n = 21; n <= 29; ++n)
        EXPECT_EQ(lines[n - 1].isEmpty(), n % 2 == 0) << "line " << n;
    EXPECT_TRUE(lines[22].contains(QLatin1String("'tutorial_01.chm'")));
    EXPECT_TRUE(lines[22].contains(QLatin1String("'MyShades.csv'")));
    EXPECT_TRUE(lines[22].contains(QLatin1String("F1")));
    static const QRegularExpression capitalsAtEnd(QStringLiteral("[A-Z]+ [A-Z]+ [A-Z]+\\.$"));
    EXPECT_TRUE(capitalsAtEnd.match(lines[28]).hasMatch()) << lines[28].toStdString();
    EXPECT_EQ(kAboutCaption, QLatin1String("About  Tagwright Folio"));
}

TEST(AboutText, VersionLineFollowsTheBuildVersion)
{
    EXPECT_EQ(aboutVersionLine(1, 5, 2), QLatin1String("Version : 1 . 5 . 2, Reference 20040328"));
    EXPECT_EQ(aboutVersionLine(2, 10, 0), QLatin1String("Version : 2 . 10 . 0, Reference 20040328"));
    const QString built = aboutVersionLine(folio::version::major, folio::version::minor, folio::version::revision);
    EXPECT_TRUE(aboutText().contains(QStringLiteral("\r\n") + built + QStringLiteral("\r\n")));
}
