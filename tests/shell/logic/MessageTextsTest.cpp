// The long fixed messages: their exact pieces and the line breaks between them.
#include "shell/logic/MessageTexts.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace folio::shell;

namespace {

// The pieces between line breaks; fails on a CR or LF that is not part of a CR LF pair.
QStringList piecesOf(const QString& text)
{
    QString withoutPairs = text;
    withoutPairs.remove(QLatin1String("\r\n"));
    EXPECT_FALSE(withoutPairs.contains(QLatin1Char('\r')) || withoutPairs.contains(QLatin1Char('\n')));
    return text.split(QLatin1String("\r\n"));
}

}  // namespace

TEST(HelpMessageText, NamesTheProgramFolderBetweenTwoBlanksOnEachSide)
{
    const QStringList pieces = piecesOf(helpMessageText(QStringLiteral("/opt/tagwright folio")));
    ASSERT_EQ(pieces.size(), 5);
    EXPECT_EQ(pieces[0], QLatin1String("This application is supported by a help file named 'Tutorial_01.chm'. It is required that this help file is saved in the same folder as that of the application's .exe file. "));
    EXPECT_EQ(pieces[1], QString());
    EXPECT_EQ(pieces[2], QLatin1String("To open that help file from within the application, just activate the menu bar (press ALT key once) and then press F1 key. If you don't have it, you can refer to the tutorial that will be displayed now."));
    EXPECT_EQ(pieces[3], QString());
    EXPECT_EQ(pieces[4], QLatin1String("At present, you are running this application from  /opt/tagwright folio  path."));
    // The folder is put in as it is, even when empty.
    EXPECT_TRUE(helpMessageText(QString()).endsWith(QLatin1String("from    path.")));
}

TEST(NewFileCreatedText, IsTwoLines)
{
    EXPECT_EQ(piecesOf(newFileCreatedText()),
              (QStringList{QStringLiteral("A new empty file with the path and filename specified by you is created."),
                           QStringLiteral("You can now open it to edit from 'Open an existing file' menu.")}));
}

TEST(NewFileDialog, FilterOffersTwelveTypesInOrder)
{
    const QStringList parts = kNewFileFilter.split(QLatin1Char('|'));
    ASSERT_EQ(parts.size(), 24);
    const QStringList extensions = {QStringLiteral("txt"), QStringLiteral("htm"), QStringLiteral("html"),
                                    QStringLiteral("inf"), QStringLiteral("ini"), QStringLiteral("js"),
                                    QStringLiteral("asp"), QStringLiteral("php"), QStringLiteral("css"),
                                    QStringLiteral("xml"), QStringLiteral("shtml"), QStringLiteral("cgi")};
    for (int i = 0; i < 12; ++i) {
        const QString pattern = QStringLiteral("*.") + extensions[i];
        EXPECT_TRUE(parts[2 * i].endsWith(QStringLiteral(" files (") + pattern + QLatin1Char(')'))) << parts[2 * i].toStdString();
        EXPECT_EQ(parts[2 * i + 1], pattern);
    }
    EXPECT_TRUE(parts[0].startsWith(QLatin1String("Text files")));
    EXPECT_TRUE(parts[10].startsWith(QLatin1String("JavaScript files")));
}

TEST(ColourToolHelpText, HasOneEmptyLineInsideTheColourPartAndTwoBeforeTheAsciiPart)
{
    const QStringList pieces = piecesOf(colourToolHelpText());
    ASSERT_EQ(pieces.size(), 8);
    EXPECT_EQ(pieces[0], QLatin1String("Colour Picker -- "));
    EXPECT_EQ(pieces[1], QLatin1String("You can move the indicator on any one of the scroll bars and see how the shades of colour change. You can see corresponding values of RGB() colour function also, beside respective colour boxes. "));
    EXPECT_EQ(pieces[2], QString());
    EXPECT_EQ(pieces[3], QLatin1String("You can save the values and names of your favourite colour shades in a text file or a CSV database file, for reference & ready retrieval during editing. A sample file MyShades.csv is provided with the distribution set. The data fields in sequence are -- Your choice name, R value, G value, B value, HTML value, HTML name of colour"));
    EXPECT_EQ(pieces[4], QString());
    EXPECT_EQ(pieces[5], QString());
    EXPECT_EQ(pieces[6], QLatin1String("ASCII Concept -- "));
    EXPECT_EQ(pieces[7], QLatin1String("Choose any one option button and do the needful, to know more about elements of the ASCII concept. In case of continuous loop, follow the instructions on screen."));
}
