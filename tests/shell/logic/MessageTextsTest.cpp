// The long fixed messages, pinned word for word with their CR LF breaks.
#include "shell/logic/MessageTexts.h"

#include <gtest/gtest.h>

using namespace folio::shell;

TEST(MessageTexts, HelpNamesTheProgramFolderAsItIsBetweenTwoBlanksOnEachSide)
{
    const QString head = QStringLiteral(
        "This application is supported by a help file named 'Tutorial_01.chm'. It is required that this help "
        "file is saved in the same folder as that of the application's .exe file. \r\n\r\nTo open that help file "
        "from within the application, just activate the menu bar (press ALT key once) and then press F1 key. If "
        "you don't have it, you can refer to the tutorial that will be displayed now.\r\n\r\nAt present, you are "
        "running this application from  ");
    EXPECT_EQ(helpMessageText(QStringLiteral("/opt/tagwright folio")), head + QStringLiteral("/opt/tagwright folio  path."));
    EXPECT_EQ(helpMessageText(QString()), head + QStringLiteral("  path."));
}

TEST(MessageTexts, NewFileCreatedAndTheTwelveTypesOfItsDialog)
{
    EXPECT_EQ(newFileCreatedText(),
              QStringLiteral("A new empty file with the path and filename specified by you is created.\r\n"
                             "You can now open it to edit from 'Open an existing file' menu."));
    EXPECT_EQ(kNewFileFilter, QStringLiteral("Text files (*.txt)|*.txt|HTM files (*.htm)|*.htm|HTML files (*.html)|*.html|"
                                             "INF files (*.inf)|*.inf|INI files (*.ini)|*.ini|JavaScript files (*.js)|*.js|"
                                             "ASP files (*.asp)|*.asp|PHP files (*.php)|*.php|CSS files (*.css)|*.css|"
                                             "XML files (*.xml)|*.xml|SHTML files (*.shtml)|*.shtml|CGI files (*.cgi)|*.cgi"));
}
