// The File menu's document commands: what they open, and how the counter of open windows and
// the menu entries follow. What "Create a &New File" writes, and its failures, are in the
// file-safety matrix.
#include "DocumentTest.h"

using namespace folio;
using namespace folio::test;

// Opening counts a window (a failed read keeps its empty one) and a cancelled dialog none; the
// HTML menu follows the extension in any letter case, a style sheet leaving it as the new
// window's activation left it; "&Save" on a new document runs the save dialog.
TEST_F(DocumentTest, OpenExistingAndNewBlankFileCountTheirWindowsAndACancelLeavesNone)
{
    const qint16 before = main->openWindowCount();
    files.cancel();
    main->mnuOef->trigger();
    const struct { const char* name; bool html; } opened[] = {{"page.HTML", true}, {"notes.ini", false}, {"look.css", true}};
    for (const auto& o : opened) {
        open(put(QString::fromLatin1(o.name), "x\r\n"));
        EXPECT_EQ(main->mnuHtml->isEnabled(), o.html) << o.name;
    }
    open(path(QStringLiteral("absent.txt")));
    frmTf* untitled = blank(QStringLiteral("hello"));
    EXPECT_EQ(untitled->Caption(), QStringLiteral("Untitled"));
    EXPECT_TRUE(main->mnuHtml->isEnabled());
    EXPECT_EQ(main->openWindowCount(), before + 5);
    EXPECT_EQ(children().size(), before + 5);
    dialogs.answer(MsgAnswer::Yes);
    files.choose(path(QStringLiteral("hello.htm")));
    click(untitled->cmdSave);
    EXPECT_EQ(bytesOf(path(QStringLiteral("hello.htm"))), QByteArray("hello\r\n"));
    for (int i = 0; i < 5; ++i)
        main->mnuClose->trigger();
    settle();
    EXPECT_EQ(main->openWindowCount(), before);
}

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
