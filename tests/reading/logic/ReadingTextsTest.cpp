// The reading windows' fixed texts, each against a template of its lines: "|" ends a
// line, "~" stands for free words (a line of its own is prose), "=N" for a rule of N equals
// signs and "R" for the reminder after each head-section tag.
#include "reading/logic/ReadingTexts.h"

#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

using namespace folio::reading;

namespace {

const char* const kHtmlTutorial = R"(|Tutorial on HTML tags :--||Written by The Tagwright Folio Authors|=25||~ ||~ ||
=62||~|=62||<!--  Your comments -->|~|=62||<html>|~|</html>|~|=62||<head>|</head>|~|=62||
<meta http-equiv='content-language' content='English'>|~|R|=62||
<meta name='Generator' content='Tagwright Folio'>|~|~|R|=62||
<meta name='Version' content='8.0.3410'>|~|R|=62||
<meta name='Date' content='10/11/96'>|~|R|=62||
<meta name='Template' content='C:\My Documents\Template_HTML.Ext'>|~|R|=62||
<meta name='keywords' content='html, editor, tutorial, Tagwright Folio'>|~|R|=62||
<meta name='description' content='An easy to use html editor with tutorial'>|~|R|=62||
<meta name='author' content='The Tagwright Folio Authors'>|~|R|=62||
<title> Tutorial on HTML tags </title>|~|R|=62||
<body bgcolor='#ffffff' text='#000000' link='#0000ff' vlink='#ff0000' alink='#800080'>|~|
bgcolor~|text=~|link=~|vlink=~|alink=~|~||~|background='/sub-folder/image_name.jpg'|~|=62||~||
black or #000000|blue or #0000ff|cyan or #00ffff|darkGray or #404040 |gray or #808080|green or #00ff00|
lightGray or #c0c0c0|magenta or #ff00ff|orange or #ffc800|pink or #ffafaf|red or #ff0000|white or #ffffff|
yellow or #ffff00|=62|||<img src='50.gif' width=542 height=8>|~||~|~|
<img src='50.gif' alt='keywords for the image' width=542 height=8>|=62||
<A href='~' target='main' >your_site name</A>|~|~||~|~  |=62||
<A href='~' target='main'><img src='50.gif' width=542 height=8 border=0 align=center></A>|~|~|~|=62||
E-mail : <a href='mailto:~'>~</a>|~|~|=62||<A href='~' >your_site name</A>|~|~|=62||
<p>text to be displayed</p>|~|=62||
<font face='Times New Roman' color=#ff0080 size=3><strong>Site Map</strong></font>|~|~|~|=62||
<strong>display text</strong> |<b>display text</b> |~||<u>display text</u>|~||<em>display text</em>|
<i>display text</i>|~||~|=62||<table width='100%'>|</table>|~|~||<tr valign='top'>|</tr>|~||
  <td><img src='images/deadnettle.gif'></td>|  <td><img src='images/daisy.png'></td>|
  <td><img src='images/ingold1.jpg'></td>|~||~|<table width='100%'>|<tr valign='top'>|
  <td><img src='images/deadnettle.gif'></td>|  <td><img src='images/daisy.png'></td>|
  <td><img src='images/ingold1.jpg'></td>|  </tr>|<tr>|  <td align='center'>GIF</td>|
  <td align='center'>PNG</td>|  <td align='center'>JPG</td>|  </tr>|</table>||~|~|=62||
<a name='contents'>Contents</a>|~||<a href='#contents'>Go to Contents</a>|~|=62||
<br>~line break~|&nbsp;~new blank space|&amp;~the & symbol~|&gt;~the > symbol~|&lt;~the < symbol~|=62||
</body>|</html>|~|=61||~Tagwright  Folio~ ||~||  * * *   End of this Tutorial on HTML|)";

const char* const kAutorunTutorial = R"(|Tutorial on Autorun.inf Files :--||Written by The Tagwright Folio Authors|
=25||~|=66||[autorun]|open=CD_start.exe|Icon = an_icon_file_name.ico|=66||~[autorun]~||CD_start.exe~||
An_icon_file_name.ico~||~autorun.inf~||  * * *   End of this Tutorial on Autorun.inf File|)";

const char* const kAbout = R"(|Tagwright  Folio |Version : 1 . 5 . 2, Reference 20040328||~freeware~ |THE TAGWRIGHT FOLIO AUTHORS|~|
E-mail : ~|Web site : ~|||TERMS  OF  USE  OF  THIS  APPLICATION  :--||
Tagwright Folio is developed neither as a site builder nor as a WYSIWYG wizard. Tagwright Folio is basically a text editor, modified to use it as a web page editor, .INI and .INF files editor also. |
|Known Limitations :-- |
1] It is advisable to use this application for editing the files of maximum 25 KB size. |
2] Sometimes, copy, cut and paste menus don't work across the applications, although those work well within Tagwright Folio. In such cases, you may right click on the highlighted block of text and use pop-up menus that appear on the screen.|
3] While opening an existing file, it adds a blank line in the beginning of the file. |
|~||~'tutorial_01.chm'~'MyShades.csv'~F1~||~||~||~FREE OF CHARGE.|)";

// The whole text a template allows, its lines joined by CR LF (so the text ends with one).
QRegularExpression textOf(const char* templ)
{
    QStringList lines = QString::fromUtf8(templ).remove(QLatin1Char('\n')).split(QLatin1Char('|'));
    for (QString& w : lines) {
        if (w == QLatin1String("R"))
            w = QRegularExpression::escape(QStringLiteral("This tag line should appear between <head> and </head> tag lines. "));
        else if (QRegularExpression(QStringLiteral("^=\\d+$")).match(w).hasMatch())
            w = QStringLiteral("={%1}").arg(w.mid(1));
        else
            w = (w.startsWith(QLatin1Char('~')) ? QStringLiteral("(?=[^\r\n]*[A-Za-z])") : QString())
                + QRegularExpression::escape(w).replace(QLatin1String("\\~"), QLatin1String("[^\r\n]+"));
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(lines.join(QLatin1String("\r\n"))));
}

// A web, mail or file address other than our example.com placeholders and the sample local page.
const QRegularExpression kOtherAddress(QStringLiteral(
    "(?:[A-Za-z]+://|[\\w.+-]+@|www\\.)(?!(?:www\\.)?example\\.com\\b(?!\\.)|/c:/folder_name/web_page\\.html)\\S*"));

}  // namespace

TEST(ReadingTexts, EveryLineInItsPlaceWithTheExactWordsAndOnlyOurPlaceholders)
{
    const struct { const char* name; QString text; const char* templ; } texts[] = {
        {"HTML tutorial", htmlTutorialText(), kHtmlTutorial},
        {"Autorun tutorial", autorunTutorialText(), kAutorunTutorial},
        {"About", aboutText(), kAbout},
    };
    for (const auto& t : texts) {
        SCOPED_TRACE(t.name);
        EXPECT_TRUE(textOf(t.templ).match(t.text).hasMatch()) << t.text.toStdString();
        EXPECT_EQ(kOtherAddress.match(t.text).captured().toStdString(), "");
    }
}
