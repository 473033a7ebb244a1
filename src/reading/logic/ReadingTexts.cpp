#include "reading/logic/ReadingTexts.h"

#include <folio_version.h>

#include <QStringList>

#include <initializer_list>

namespace folio::reading {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Lines of a reading text, joined by CR LF and closed by a final CR LF.
class TextBuilder {
public:
    TextBuilder& line(const QString& text)
    {
        lines_.append(text);
        return *this;
    }
    TextBuilder& lines(std::initializer_list<const char*> texts)
    {
        for (const char* text : texts)
            lines_.append(QString::fromLatin1(text));
        return *this;
    }
    TextBuilder& empty() { return line(QString()); }
    TextBuilder& equalsRule(int count) { return line(QString(count, QLatin1Char('='))); }
    QString text() const { return lines_.join(kCrLf) + kCrLf; }

private:
    QStringList lines_;
};

// The two hyperlink examples and the e-mail example of the HTML tutorial.
const QString kExampleSite = QStringLiteral("http://www.example.com");
const QString kExampleMail = QStringLiteral("info@example.com");
const QString kExampleLocalPage = QStringLiteral("file:///c:/folder_name/web_page.html");

// A head-section tag line: the tag, what it says, the reminder, the rule and an empty line.
void headBlock(TextBuilder& b, const QString& tagLine, std::initializer_list<const char*> explanation)
{
    b.line(tagLine).lines(explanation).line(kHeadReminderLine).equalsRule(62).empty();
}

}  // namespace

QString htmlTutorialText()
{
    TextBuilder b;
    b.empty()
        .line(QStringLiteral("Tutorial on HTML tags :--"))
        .empty()
        .line(QStringLiteral("Written by ") + kAuthorName)
        .equalsRule(25)
        .empty()
        .lines({"HTML is the mark-up language in which the source files of web pages are written; such "
                "files have the extension .htm or .html. The source is plain text made of tags, which "
                "your internet browser interprets to display the page. "})
        .empty()
        .lines({"Below follow some important tags. You can copy these lines and paste them into your own "
                ".html files after changing the appropriate words. Each tag line is followed by its "
                "explanation. "})
        .empty()
        .equalsRule(62)
        .empty()
        .lines({"The first page of a web site is customarily named index.html. Some hosting companies "
                "require index.htm, default.html or default.htm instead, and the same holds in every "
                "folder of the site. Ask your hosting company which name it expects, or none of your "
                "uploaded pages will be shown."})
        .equalsRule(62)
        .empty();

    b.lines({"<!--  Your comments -->", "This is a remark line: the browser ignores it."}).equalsRule(62).empty();

    b.lines({"<html>", "Every .html file must start with this tag.", "</html>",
             "Every .html file must end with this tag."})
        .equalsRule(62)
        .empty();

    b.lines({"<head>", "</head>",
             "The reference lines of a .html file must stand between these two tags, the first opening "
             "the reference section and the second closing it. Readers of the page do not see these "
             "lines; browsers and search engines use some of them."})
        .equalsRule(62)
        .empty();

    headBlock(b, QStringLiteral("<meta http-equiv='content-language' content='English'>"),
              {"This line gives the language of the page."});
    headBlock(
        b, QStringLiteral("<meta name='Generator' content='Tagwright Folio'>"),
        {"This line names the application used to create the .html file.", "Do not edit the name of the application."});
    headBlock(b, QStringLiteral("<meta name='Version' content='8.0.3410'>"),
              {"This line gives the version of the .html file."});
    headBlock(b, QStringLiteral("<meta name='Date' content='10/11/96'>"),
              {"This line gives the date on which the .html file was created or saved."});
    headBlock(b, QStringLiteral("<meta name='Template' content='C:\\My Documents\\Template_HTML.Ext'>"),
              {"This line names the template, if any, used to create the .html file."});
    headBlock(b, QStringLiteral("<meta name='keywords' content='html, editor, tutorial, Tagwright Folio'>"),
              {"This line gives the keywords by which search engines find the page."});
    headBlock(b, QStringLiteral("<meta name='description' content='An easy to use html editor with tutorial'>"),
              {"This line gives the description that a search engine shows when it lists the page."});
    headBlock(b, QStringLiteral("<meta name='author' content='") + kAuthorName + QStringLiteral("'>"),
              {"This line gives the name of the author of the page."});
    headBlock(b, QStringLiteral("<title> Tutorial on HTML tags </title>"),
              {"This line gives the title of the page, shown on the title bar of the browser."});

    b.lines({"<body bgcolor='#ffffff' text='#000000' link='#0000ff' vlink='#ff0000' alink='#800080'>",
             "This line begins the body of the page: the content that its readers see.",
             "bgcolor= gives the background colour of the page.", "text= gives the colour of the text.",
             "link= gives the colour of links.", "vlink= gives the colour of visited links.",
             "alink= gives the colour of active links.",
             "Notations such as '#000000' are colours that the browser understands."})
        .empty()
        .lines({"Instead of a background colour you can use an image, with the line:",
                "background='/sub-folder/image_name.jpg'", "The path is relative to the folder of the .html file."})
        .equalsRule(62)
        .empty();

    b.lines({"You can use colour names or the codes below."})
        .empty()
        .lines({"black or #000000", "blue or #0000ff", "cyan or #00ffff", "darkGray or #404040 ", "gray or #808080",
                "green or #00ff00", "lightGray or #c0c0c0", "magenta or #ff00ff", "orange or #ffc800",
                "pink or #ffafaf", "red or #ff0000", "white or #ffffff", "yellow or #ffff00"})
        .equalsRule(62)
        .empty()
        .empty();

    b.lines({"<img src='50.gif' width=542 height=8>",
             "This line shows the image 50.jpg embedded in the page, 542 pixels wide and 8 pixels high."})
        .empty()
        .lines({"For a search engine to find the image, you must give keywords for it.",
                "Use the following tag line instead of the earlier one.",
                "<img src='50.gif' alt='keywords for the image' width=542 height=8>"})
        .equalsRule(62)
        .empty();

    b.line(QStringLiteral("<A href='") + kExampleSite + QStringLiteral("' target='main' >your_site name</A>"))
        .lines({"This line inserts a hyperlink to your web site.", "The words your_site name are the linked text."})
        .empty()
        .lines({"target='main' opens the page in a new browser window.",
                "Without it, the new page replaces the current one in the current window.  "})
        .equalsRule(62)
        .empty();

    b.line(QStringLiteral("<A href='") + kExampleSite
           + QStringLiteral("' target='main'><img src='50.gif' width=542 height=8 border=0 align=center></A>"))
        .lines({"This line inserts a hyperlink to your web site.",
                "The image is embedded in the page, 542 pixels wide and 8 pixels high.",
                "The image itself is the linked element."})
        .equalsRule(62)
        .empty();

    b.line(QStringLiteral("E-mail : <a href='mailto:") + kExampleMail + QStringLiteral("'>") + kExampleMail
           + QStringLiteral("</a>"))
        .line(QStringLiteral("This link works like the hyperlink to ") + kExampleSite
              + QStringLiteral(" explained above."))
        .lines({"mailto: opens your default e-mail program with the address filled in as the recipient."})
        .equalsRule(62)
        .empty();

    b.line(QStringLiteral("<A href='") + kExampleLocalPage + QStringLiteral("' >your_site name</A>"))
        .lines({"This line inserts a hyperlink to a web page on the local hard disk of your PC.",
                "The words your_site name are the linked text."})
        .equalsRule(62)
        .empty();

    b.lines({"<p>text to be displayed</p>", "The text is shown as a new paragraph."}).equalsRule(62).empty();

    b.lines({"<font face='Times New Roman' color=#ff0080 size=3><strong>Site Map</strong></font>",
             "face= gives the name of the font.", "color= gives the colour of the font.",
             "size= gives the size of the font."})
        .equalsRule(62)
        .empty();

    b.lines({"<strong>display text</strong> ", "<b>display text</b> ", "Both lines show the text in bold."})
        .empty()
        .lines({"<u>display text</u>", "This line shows the text underlined."})
        .empty()
        .lines({"<em>display text</em>", "<i>display text</i>", "Both lines show the text in italics."})
        .empty()
        .lines({"Font sizes generally range from 1 to 7, where 3 is normal; sizes down to -3 are used too."})
        .equalsRule(62)
        .empty();

    b.lines({"<table width='100%'>", "</table>", "The content between these two tags is shown as a table.",
             "width=100% makes the table take the full width of the page."})
        .empty()
        .lines({"<tr valign='top'>", "</tr>", "The content between these two tags is one row of the table."})
        .empty()
        .lines({"  <td><img src='images/deadnettle.gif'></td>", "  <td><img src='images/daisy.png'></td>",
                "  <td><img src='images/ingold1.jpg'></td>",
                "The three images (or texts) are shown in three columns of one row."})
        .empty()
        .lines({"Together these lines give a table of three columns and two rows, as follows:", "<table width='100%'>",
                "<tr valign='top'>", "  <td><img src='images/deadnettle.gif'></td>",
                "  <td><img src='images/daisy.png'></td>", "  <td><img src='images/ingold1.jpg'></td>", "  </tr>",
                "<tr>", "  <td align='center'>GIF</td>", "  <td align='center'>PNG</td>",
                "  <td align='center'>JPG</td>", "  </tr>", "</table>"})
        .empty()
        .lines(
            {"valign='top' aligns each image to the top of its cell.", "align='center' centres the text in its cell."})
        .equalsRule(62)
        .empty();

    b.lines({"<a name='contents'>Contents</a>", "This line inserts an anchor, that is a bookmark, named contents."})
        .empty()
        .lines({"<a href='#contents'>Go to Contents</a>", "This line inserts a hyperlink to that anchor."})
        .equalsRule(62)
        .empty();

    b.lines({"<br>      This means a line break or a carriage return within the web page",
             "&nbsp;        This means a new blank space",
             "&amp;     This means the & symbol in the web page contents to be displayed",
             "&gt;      This means the > symbol in the web page contents to be displayed",
             "&lt;      This means the < symbol in the web page contents to be displayed"})
        .equalsRule(62)
        .empty();

    b.lines({"</body>", "</html>", "These must be the last two lines of every .htm or .html file."})
        .equalsRule(61)
        .empty()
        .lines({"Many more tags exist, some of them more complex. A later version of Tagwright  Folio "
                "may cover them. "})
        .empty()
        .lines({"Do not forget to upload a sitemap: it helps visitors find the pages of your site."})
        .empty()
        .lines({"  * * *   End of this Tutorial on HTML"});
    return b.text();
}

QString autorunTutorialText()
{
    TextBuilder b;
    b.empty()
        .line(QStringLiteral("Tutorial on Autorun.inf Files :--"))
        .empty()
        .line(QStringLiteral("Written by ") + kAuthorName)
        .equalsRule(25)
        .empty()
        .lines({"An autorun.inf file always lies in the root folder of a CD. When the CD is inserted, the "
                "operating system reads this file and runs the program, or opens the HTML page, named in "
                "it. An example follows: you can copy and paste it, but you must adapt it to your own CD, "
                "and the file must be saved under the name autorun.inf."})
        .equalsRule(66)
        .empty()
        .lines({"[autorun]", "open=CD_start.exe", "Icon = an_icon_file_name.ico"})
        .equalsRule(66)
        .empty()
        .lines({"The [autorun] line names the section of the file; by convention it stands at the "
                "beginning of the file."})
        .empty()
        .lines({"CD_start.exe may be the setup program of your application, a multimedia program or any "
                "other program file."})
        .empty()
        .lines({"An_icon_file_name.ico is the icon shown for the CD drive in the file manager once the CD "
                "is inserted."})
        .empty()
        .lines({"The autorun.inf file, the program file and the icon file must all lie at the root of the "
                "folder tree of the CD."})
        .empty()
        .lines({"  * * *   End of this Tutorial on Autorun.inf File"});
    return b.text();
}

QString aboutVersionLine(int major, int minor, int revision)
{
    return QStringLiteral("Version : %1 . %2 . %3, Reference 20040328").arg(major).arg(minor).arg(revision);
}

QString aboutText()
{
    TextBuilder b;
    b.empty()
        .line(QStringLiteral("Tagwright  Folio "))
        .line(aboutVersionLine(folio::version::major, folio::version::minor, folio::version::revision))
        .empty()
        .lines({"This application is freeware, developed and released by "})
        .line(kAuthorName.toUpper())
        .lines({"Postal address : 1 Example Street, Example Town", "E-mail : author@example.com",
                "Web site : http://www.example.com/tagwright-folio"})
        .empty()
        .empty()
        .lines({"TERMS  OF  USE  OF  THIS  APPLICATION  :--"})
        .empty()
        .lines({"Tagwright Folio is developed neither as a site builder nor as a WYSIWYG wizard. "
                "Tagwright Folio is basically a text editor, modified to use it as a web page editor, "
                ".INI and .INF files editor also. "})
        .empty()
        .lines({"Known Limitations :-- ",
                "1] It is advisable to use this application for editing the files of maximum 25 KB size. ",
                "2] Sometimes, copy, cut and paste menus don't work across the applications, "
                "although those work well within Tagwright Folio. In such cases, you may right click on "
                "the highlighted block of text and use pop-up menus that appear on the screen.",
                "3] While opening an existing file, it adds a blank line in the beginning of the file. "})
        .empty()
        .lines({"This application is offered free of charge and as it is, without a warranty of any kind."})
        .empty()
        .lines({"This application is supported by the help file 'tutorial_01.chm' and the file "
                "'MyShades.csv', which must lie in the same folder as the program's executable file. To "
                "open the help file from within the program, press the ALT key once to activate the menu "
                "bar and then press the F1 key."})
        .empty()
        .lines({"Your suggestions and reports of problems are welcome at the e-mail address given above."})
        .empty()
        .lines({"Thank you for using Tagwright Folio."})
        .empty()
        .lines({"Develop and publish your own web pages, exercise your freedom of thought and of "
                "expression, and help others do the same by passing this utility and its help file on to "
                "them FREE OF CHARGE."});
    return b.text();
}

}  // namespace folio::reading
