// The long fixed messages, pinned word for word with their CR LF breaks.
#include "shell/logic/MessageTexts.h"

#include <QStringList>

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
    const QStringList parts = kNewFileFilter.split(QLatin1Char('|'));
    const QStringList kinds = QStringLiteral("Text:txt HTM:htm HTML:html INF:inf INI:ini JavaScript:js ASP:asp "
                                             "PHP:php CSS:css XML:xml SHTML:shtml CGI:cgi").split(QLatin1Char(' '));
    ASSERT_EQ(parts.size(), 2 * kinds.size());
    for (int i = 0; i < kinds.size(); ++i) {
        const QStringList k = kinds[i].split(QLatin1Char(':'));
        EXPECT_EQ(parts[2 * i], QStringLiteral("%1 files (*.%2)").arg(k[0], k[1]));
        EXPECT_EQ(parts[2 * i + 1], QStringLiteral("*.") + k[1]);
    }
}
