// The File menu's document commands: what they open, what they write, and how the counter
// of open windows and the menu entries follow.
#include "DocumentTest.h"

#include "platform/logic/CommonDialog.h"
#include "shell/logic/ErrorReport.h"

#include <QAction>
#include <QPushButton>
#include <QTest>

using namespace folio;
using test::DocumentTest;
using test::settle;

namespace {
const QString kCreated = QStringLiteral(
    "A new empty file with the path and filename specified by you is created.\r\n"
    "You can now open it to edit from 'Open an existing file' menu.");
}

TEST_F(DocumentTest, OpenExistingFileCountsTheWindowAndACancelLeavesNoWindow)
{
    const qint16 before = main->intOw;
    const int windows = children().size();

    files.cancel();
    main->mnuOef->trigger();
    settle();
    EXPECT_EQ(main->intOw, before);
    EXPECT_EQ(children().size(), windows);
    EXPECT_TRUE(dialogs.shown().isEmpty());

    const QString p = put(QStringLiteral("page.HTML"), "<p>\r\n");
    frmTf* f = open(p);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(main->intOw, before + 1);
    EXPECT_EQ(children().size(), windows + 1);
    EXPECT_EQ(f->Caption(), p);
    EXPECT_EQ(f->FileExt, QStringLiteral("html"));
    EXPECT_TRUE(main->mnuHtml->isEnabled());

    open(put(QStringLiteral("notes.ini"), "[a]\r\n"));
    EXPECT_FALSE(main->mnuHtml->isEnabled());
    // A style sheet leaves the menu as the new window's activation (empty extension) left it.
    open(put(QStringLiteral("look.css"), "p{}\r\n"));
    EXPECT_TRUE(main->mnuHtml->isEnabled());
    EXPECT_EQ(main->intOw, before + 3);

    // A failed read keeps the (empty) window, counted.
    open(path(QStringLiteral("absent.txt")));
    EXPECT_EQ(main->intOw, before + 4);
    EXPECT_EQ(active()->Caption(), QStringLiteral("Open a File"));
}

TEST_F(DocumentTest, NewBlankFileOpensUntitledWindowsThatAskForANameOnSave)
{
    const qint16 before = main->intOw;
    main->mnuHtml->setEnabled(false);
    frmTf* first = blank();
    frmTf* second = blank();
    ASSERT_NE(first, second);
    EXPECT_EQ(first->Caption(), QStringLiteral("Untitled"));
    EXPECT_EQ(second->Caption(), QStringLiteral("Untitled"));
    EXPECT_EQ(main->intOw, before + 2);
    EXPECT_TRUE(main->mnuHtml->isEnabled());
    EXPECT_TRUE(second->FilePath.isEmpty());

    // "&Save" on a new document runs the save dialog.
    second->txtText01->setText(QStringLiteral("hello"));
    const QString p = path(QStringLiteral("hello.htm"));
    dialogs.answer(MsgAnswer::Yes);
    files.choose(p);
    QTest::mouseClick(second->cmdSave, Qt::LeftButton);
    EXPECT_EQ(files.shown().last().kind, test::ScriptedCommonDialog::Kind::Save);
    EXPECT_EQ(bytesOf(p), QByteArray("hello\r\n"));
    EXPECT_EQ(second->Caption(), QStringLiteral("This file name : ") + p);

    main->mnuClose->trigger();
    main->mnuClose->trigger();
    settle();
    EXPECT_EQ(main->intOw, before);
    EXPECT_TRUE(dialogs.shown().size() == 1);  // only the overwrite-or-append question
}

TEST_F(DocumentTest, CreateNewFileWritesOneEmptyLineAndOpensNothing)
{
    const qint16 before = main->intOw;
    const int windows = children().size();
    main->CommonDialog1.FileName = QStringLiteral("earlier.txt");
    const QString p = path(QStringLiteral("fresh"));
    files.choose(p);
    main->mnuNew->trigger();
    settle();

    ASSERT_EQ(files.shown().size(), 1);
    const FileDialogRequest r = files.shown()[0].file;
    EXPECT_EQ(r.title, QStringLiteral("Save the new file as"));
    EXPECT_EQ(r.fileName, QStringLiteral("earlier.txt"));  // not cleared
    EXPECT_EQ(r.defaultExt, QStringLiteral("txt"));
    EXPECT_EQ(r.filters.size(), 12);
    EXPECT_EQ(r.filters.last().description, QStringLiteral("CGI files (*.cgi)"));

    // A name without extension gains ".txt".
    EXPECT_EQ(bytesOf(p + QStringLiteral(".txt")), QByteArray("\r\n"));
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.last().prompt, kCreated);
    EXPECT_EQ(dialogs.last().title, QStringLiteral("Tagwright Folio"));
    EXPECT_EQ(main->intOw, before);
    EXPECT_EQ(children().size(), windows);

    // An existing file keeps its contents and gains one empty line.
    const QString existing = put(QStringLiteral("existing.txt"), "keep");
    files.choose(existing);
    main->mnuNew->trigger();
    EXPECT_EQ(bytesOf(existing), QByteArray("keep\r\n"));
    EXPECT_EQ(dialogs.last().prompt, kCreated);
}

TEST_F(DocumentTest, CreateNewFileCancelledIsSilentAndAFailureIsReportedInstead)
{
    files.cancel();
    main->mnuNew->trigger();
    EXPECT_TRUE(dialogs.shown().isEmpty());

    const QString locked = unwritableFolder() + QStringLiteral("/new.txt");
    files.choose(locked);
    main->mnuNew->trigger();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.last().prompt, basModu001::errorReportText(RuntimeError::fromNumber(70)));
    EXPECT_FALSE(QFile::exists(locked));
}
