// "Create a &New File" from the File menu. What it writes over an existing file, and its
// failures, are in the file-safety matrix; the window counter and the tag menu after opening
// are the random session's invariants.
#include "DocumentTest.h"

using namespace folio;
using namespace folio::test;

// "Create a &New File" starts without a name whatever the open dialog left, adds ".txt" to a
// bare name, says it made the file and opens no window; Cancel does nothing.
TEST_F(DocumentTest, CreateNewFileMakesTheFileAndOpensNothing)
{
    const qint16 before = main->openWindowCount();
    files.cancel();
    main->mnuNew->trigger();
    main->CommonDialog1.FileName = path(QStringLiteral("opened.html"));
    files.choose(path(QStringLiteral("fresh")));
    main->mnuNew->trigger();
    settle();
    EXPECT_EQ(files.shown().last().file.fileName, QString());
    EXPECT_EQ(bytesOf(path(QStringLiteral("fresh.txt"))), QByteArray("\r\n"));
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.last().prompt.startsWith(QStringLiteral("A new empty file with the path")));
    EXPECT_EQ(main->openWindowCount(), before);
    EXPECT_EQ(children().size(), before);
}
