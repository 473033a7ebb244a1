// The File menu's document commands: what they open and write, and how the counter of open
// windows and the menu entries follow.
#include "DocumentTest.h"

#include "platform/logic/CommonDialog.h"

using namespace folio;
using namespace folio::test;

TEST_F(DocumentTest, OpenExistingAndNewBlankFileCountTheirWindowsAndACancelLeavesNone)
{
    const qint16 before = main->openWindowCount();
    const int windows = children().size();
    files.cancel();
    main->mnuOef->trigger();
    settle();
    EXPECT_EQ(main->openWindowCount(), before);
    EXPECT_EQ(children().size(), windows);

    // The HTML menu follows the extension in any letter case; a style sheet leaves it as
    // the new window's activation (empty extension) left it.
    const struct { const char* name; bool html; } opened[] = {
        {"page.HTML", true}, {"notes.ini", false}, {"look.css", true}};
    for (const auto& o : opened) {
        frmTf* f = open(put(QString::fromLatin1(o.name), "x\r\n"));
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(main->mnuHtml->isEnabled(), o.html) << o.name;
    }
    open(path(QStringLiteral("absent.txt")));  // a failed read keeps its (empty) window
    frmTf* untitled = blank();
    EXPECT_EQ(untitled->Caption(), QStringLiteral("Untitled"));
    EXPECT_TRUE(main->mnuHtml->isEnabled());
    EXPECT_EQ(main->openWindowCount(), before + 5);
    EXPECT_EQ(children().size(), windows + 5);

    // "&Save" on a new document runs the save dialog.
    untitled->txtText01->setText(QStringLiteral("hello"));
    const QString p = path(QStringLiteral("hello.htm"));
    dialogs.answer(MsgAnswer::Yes);
    files.choose(p);
    click(untitled->cmdSave);
    EXPECT_EQ(files.shown().last().kind, ScriptedCommonDialog::Kind::Save);
    EXPECT_EQ(bytesOf(p), QByteArray("hello\r\n"));

    for (int i = 0; i < 5; ++i) {
        main->mnuClose->trigger();
        settle();
    }
    EXPECT_EQ(main->openWindowCount(), before);
}

TEST_F(DocumentTest, CreateNewFileAppendsOneLineEndOpensNothingAndReportsFailures)
{
    const qint16 before = main->openWindowCount();
    const int windows = children().size();
    files.cancel();
    main->mnuNew->trigger();
    EXPECT_TRUE(dialogs.shown().isEmpty());

    // The dialog starts without a name, whatever the open dialog left behind.
    main->CommonDialog1.FileName = path(QStringLiteral("opened.html"));
    const QString p = path(QStringLiteral("fresh"));
    files.choose(p);
    main->mnuNew->trigger();
    settle();
    EXPECT_EQ(files.shown().last().file.fileName, QString());
    EXPECT_EQ(bytesOf(p + QStringLiteral(".txt")), QByteArray("\r\n"));
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.last().prompt.startsWith(QStringLiteral("A new empty file with the path")));
    EXPECT_EQ(main->openWindowCount(), before);
    EXPECT_EQ(children().size(), windows);

    const QString existing = put(QStringLiteral("existing.txt"), "keep");
    files.choose(existing);
    main->mnuNew->trigger();
    EXPECT_EQ(bytesOf(existing), QByteArray("keep\r\n"));

    const QString locked = unwritableFolder() + QStringLiteral("/new.txt");
    files.choose(locked);
    main->mnuNew->trigger();
    EXPECT_EQ(dialogs.last().prompt, report(70));
    EXPECT_FALSE(QFile::exists(locked));
}
