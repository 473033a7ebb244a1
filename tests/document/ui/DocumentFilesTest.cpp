// Opening and saving through the document window, end to end: round trips through the open
// dialog and "&Save", "Save this file as" with overwrite, append and Cancel, read-only
// documents, failures, characters the code page cannot hold, the shades file, and files named
// on the command line or dropped. The byte rules themselves are in the logic suites.
#include "DocumentTest.h"

#include "document/logic/SaveTexts.h"
#include "platform/logic/ProgramFolder.h"

#include <QApplication>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <QMimeData>
#include <QUrl>

using namespace folio;
using namespace folio::test;

TEST_F(DocumentTest, OpenedAndSavedAtOnceFilesComeBackByTheReadingAndWritingRules)
{
    const struct { const char* name; QByteArray file; QByteArray saved; } cases[] = {
        {"mixed.txt", "a\r\nb\nc\rd\x81\xA0", "\r\na\r\nb\nc\r\nd\x81\xA0\r\n"},
        {"empty.txt", "", "\r\n"},
    };
    main->CommonDialog1.FileName = QStringLiteral("left over");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString p = put(QString::fromLatin1(c.name), c.file);
        frmTf* f = open(p);
        ASSERT_NE(f, nullptr);
        EXPECT_TRUE(files.shown().last().file.fileName.isEmpty());  // the open dialog starts empty
        EXPECT_EQ(f->Caption(), p);
        EXPECT_FALSE(f->TextChanged);
        click(f->cmdSave);
        EXPECT_EQ(bytesOf(p), c.saved);
        EXPECT_FALSE(f->TextChanged);
        f->Unload();
        settle();
    }
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(DocumentTest, SaveAsCancelsOverwritesOrAppendsAndTiesTheDocumentToTheNewName)
{
    const QString source = put(QStringLiteral("source.txt"), "s\r\n");
    const QString target = put(QStringLiteral("target.htm"), "old\r\n");
    frmTf* f = open(source);
    f->txtText01->setText(QStringLiteral("\r\ns"));

    // Cancel: the declined name is not taken, so a later "&Save" cannot write it.
    dialogs.answer(MsgAnswer::Cancel);
    files.choose(target);
    click(f->cmdSaveas);
    EXPECT_EQ(f->FilePath, source);
    EXPECT_TRUE(f->TextChanged);
    click(f->cmdSave);
    EXPECT_EQ(bytesOf(target), QByteArray("old\r\n"));
    EXPECT_EQ(bytesOf(source), QByteArray("\r\ns\r\n"));

    // No: the text and a final CR LF after the existing contents.
    EXPECT_FALSE(main->mnuHtml->isEnabled());
    dialogs.answer(MsgAnswer::No);
    files.choose(target);
    click(f->cmdSaveas);
    EXPECT_EQ(bytesOf(target), QByteArray("old\r\n\r\ns\r\n"));
    EXPECT_EQ(dialogs.last(), msgBox(document::kOverwriteOrAppendQuestion, QStringLiteral("Please Confirm Your Choice"),
                                     MsgButtons::YesNoCancel, MsgIcon::Question, 2));
    EXPECT_EQ(f->FilePath, target);
    EXPECT_EQ(f->Caption(), QStringLiteral("This file name : ") + target);
    EXPECT_TRUE(main->mnuHtml->isEnabled());
    EXPECT_FALSE(f->TextChanged);
    EXPECT_TRUE(main->CommonDialog1.FileName.isEmpty());

    // Yes: over the whole file; "&Save" afterwards writes there without asking.
    f->txtText01->setText(QStringLiteral("fresh"));
    dialogs.answer(MsgAnswer::Yes);
    files.choose(target);
    click(f->cmdSaveas);
    EXPECT_EQ(bytesOf(target), QByteArray("fresh\r\n"));
    f->txtText01->setText(QStringLiteral("again"));
    const int boxes = dialogs.shown().size();
    click(f->cmdSave);
    EXPECT_EQ(dialogs.shown().size(), boxes);
    EXPECT_EQ(bytesOf(target), QByteArray("again\r\n"));
}

TEST_F(DocumentTest, ReadOnlyDocumentsSaveOnlyUnderAnotherNameInAnyLetterCase)
{
    main->CommonDialog1.Flags = 3;  // as an earlier font dialog leaves it
    EXPECT_TRUE(open(put(QStringLiteral("plain.txt"), "p\r\n"))->cmdSave->isEnabled());

    const QString p = put(QStringLiteral("Locked.TXT"), "ro\r\n");
    frmTf* f = open(p, true);
    EXPECT_TRUE(f->OpenedReadOnly);
    EXPECT_FALSE(f->cmdSave->isEnabled());
    f->txtText01->setText(QStringLiteral("mine"));
    const QString refusal = QStringLiteral(
        "The filename that you selected is for read-only mode. You need to save this file by some other name.");

    // "&Save" goes through the save dialog, and closing with Yes too: the same name in
    // other letters is refused, and the window stays.
    files.choose(path(QStringLiteral("locked.txt")));
    f->cmdSave_Click();
    EXPECT_EQ(dialogs.last().prompt, refusal);
    dialogs.answer(MsgAnswer::Yes);
    files.choose(path(QStringLiteral("LOCKED.TXT")));
    ASSERT_FALSE(f->Unload());
    settle();
    EXPECT_EQ(dialogs.last().prompt, refusal);
    EXPECT_EQ(bytesOf(p), QByteArray("ro\r\n"));
    EXPECT_EQ(f->FilePath, p);
    EXPECT_TRUE(f->TextChanged);

    // Another name is written; the document stays read-only and its name still refused.
    const QString copy = path(QStringLiteral("copy.txt"));
    dialogs.answer(MsgAnswer::Yes);
    files.choose(copy);
    click(f->cmdSaveas);
    EXPECT_EQ(bytesOf(copy), QByteArray("mine\r\n"));
    EXPECT_FALSE(f->cmdSave->isEnabled());
    files.choose(p);
    click(f->cmdSaveas);
    EXPECT_EQ(bytesOf(p), QByteArray("ro\r\n"));
}

TEST_F(DocumentTest, AFailedOpeningIsReportedAndLeavesAWindowThatHoldsNoFile)
{
    {
        QFile huge(path(QStringLiteral("huge.txt")));
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(40) << 30));
    }
    const struct { QString file; bool readOnly; QString reportStart; } cases[] = {
        {path(QStringLiteral("missing.txt")), false, report(53)},
        {QStringLiteral("/dev/zero"), true, report(75)},  // never reads without end
        {path(QStringLiteral("huge.txt")), false,
         QStringLiteral("Some error occurred !\r\n\r\nError no. :  7\r\nError description :  File too large (40.0 GB)")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        dialogs.clear();
        frmTf* f = open(c.file, c.readOnly);
        ASSERT_NE(f, nullptr);
        ASSERT_EQ(dialogs.shown().size(), 1);
        EXPECT_TRUE(dialogs.last().prompt.startsWith(c.reportStart)) << dialogs.last().prompt.toStdString();
        EXPECT_EQ(f->Caption(), QStringLiteral("Open a File"));
        EXPECT_TRUE(f->txtText01->Text().isEmpty());
        // As in a blank window: "&Save" asks for a name and never writes to the file that
        // could not be read.
        EXPECT_EQ(f->FilePath, QString());
        EXPECT_EQ(f->FileExt, QString());
        QTest::keyClicks(f->txtText01, QStringLiteral("typed"));
        const int dialogsBefore = files.shown().size();
        files.cancel();
        click(f->cmdSave);
        ASSERT_EQ(files.shown().size(), dialogsBefore + 1);
        EXPECT_EQ(files.shown().last().kind, ScriptedCommonDialog::Kind::Save);
        f->TextChanged = false;
        f->Unload();
        settle();
    }
    EXPECT_EQ(QFileInfo(path(QStringLiteral("huge.txt"))).size(), qint64(40) << 30);
    // Failed saves on every write path are FaultInjectionTest's matrix.
}

TEST_F(DocumentTest, SaveAsksBeforeWritingOverAFileChangedSinceThisWindowReadOrWroteIt)
{
    const QString p = put(QStringLiteral("shared.txt"), "first\r\n");
    frmTf* a = open(p);
    frmTf* b = open(p);
    a->txtText01->setText(QStringLiteral("from a"));
    b->txtText01->setText(QStringLiteral("from b"));
    click(a->cmdSave);  // nothing has changed on disk since a read it
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(bytesOf(p), QByteArray("from a\r\n"));

    // The other window read the file before that save: it asks, and No saves nothing.
    dialogs.answer(MsgAnswer::No);
    click(b->cmdSave);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.last(), msgBox(QStringLiteral("This file has been changed by another program since it was opened "
                                                    "or last saved here.\r\n\r\nClick Yes to overwrite those changes with "
                                                    "this text, or No to leave the file as it is.\r\nDo you want to "
                                                    "overwrite the file ?"),
                                     QStringLiteral("Tagwright Folio"), MsgButtons::YesNo, MsgIcon::Exclamation, 2));
    EXPECT_EQ(bytesOf(p), QByteArray("from a\r\n"));
    EXPECT_TRUE(b->TextChanged);
    dialogs.answer(MsgAnswer::Yes);
    click(b->cmdSave);
    EXPECT_EQ(bytesOf(p), QByteArray("from b\r\n"));
    EXPECT_FALSE(b->TextChanged);
    click(b->cmdSave);  // b wrote it last
    EXPECT_EQ(dialogs.shown().size(), 2);

    // Another program that changes only the time is noticed too, also by the closing question.
    const timespec times[2] = {{0, UTIME_OMIT}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(p).constData(), times, 0), 0);
    b->txtText01->setText(QStringLiteral("again"));
    dialogs.answer(MsgAnswer::Yes).answer(MsgAnswer::No);
    EXPECT_FALSE(b->Unload());  // the changes are neither written nor lost: the window stays
    settle();
    EXPECT_EQ(dialogs.shown().size(), 4);
    EXPECT_EQ(bytesOf(p), QByteArray("from b\r\n"));
    a->TextChanged = b->TextChanged = false;
}

TEST_F(DocumentTest, FilesNamedOrDroppedOpenAsFromTheMenuAndOnesThatFailAreReportedAndSkipped)
{
    const QString page = put(QStringLiteral("page.html"), "<b>x</b>\r\n");
    const QString notes = put(QStringLiteral("notes.txt"), "n\r\n");
    const QString folder = path(QStringLiteral("folder.txt"));
    QDir().mkpath(folder);
    const qint16 before = main->openWindowCount();
    main->openFiles({page, path(QStringLiteral("missing.txt")), folder, notes});
    settle();
    EXPECT_EQ(dialogs.prompts(), QStringList({report(53), report(75)}));
    ASSERT_EQ(children().size(), 3);  // the About window and the two that could be read
    EXPECT_EQ(children()[1]->Caption(), page);
    EXPECT_EQ(qobject_cast<frmTf*>(children()[1])->txtText01->Text(), QStringLiteral("\r\n<b>x</b>"));
    EXPECT_EQ(active()->Caption(), notes);
    EXPECT_TRUE(active()->cmdSave->isEnabled());
    EXPECT_FALSE(main->mnuHtml->isEnabled());
    EXPECT_EQ(main->openWindowCount(), before + 2);

    // Dropped on a document's text box, files go to the document area; a folder is refused.
    dialogs.clear();
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(page), QUrl::fromLocalFile(folder)});
    files.setText(page);  // file managers add the paths as text too
    QWidget* box = active()->txtText01->viewport();
    QDragEnterEvent enter(box->rect().center(), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(box->rect().center(), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &drop);
    settle();
    EXPECT_EQ(dialogs.prompts(), QStringList({report(75)}));
    EXPECT_EQ(active()->Caption(), page);
    EXPECT_TRUE(main->mnuHtml->isEnabled());
    EXPECT_EQ(main->openWindowCount(), before + 3);
    EXPECT_EQ(qobject_cast<frmTf*>(children()[2])->txtText01->Text(), QStringLiteral("\r\nn"));

    // Text and web addresses are not files: the document area leaves them alone.
    QMimeData web, text;
    web.setUrls({QUrl(QStringLiteral("https://example.org/"))});
    text.setText(page);
    for (const QMimeData* data : {&web, &text}) {
        QDragEnterEvent other(QPoint(1, 1), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(main->mdiArea()->viewport(), &other);
        EXPECT_FALSE(other.isAccepted());
    }
}

TEST_F(DocumentTest, CharactersTheCodePageCannotHoldAreOnlyLostWhenTheUserAgrees)
{
    const QString p = put(QStringLiteral("u.txt"), "old\r\n");
    frmTf* f = open(p);
    f->txtText01->setText(QStringLiteral("\u20AC caf\u00E9 \u2603 \u4E2D\u6587 ") + QString::fromUtf8("\xF0\x9F\x98\x80"));

    dialogs.answer(MsgAnswer::No);
    click(f->cmdSave);
    ASSERT_EQ(dialogs.shown().size(), 1);
    const ShownBox box = dialogs.last();
    EXPECT_EQ(box.buttons, MsgButtons::YesNo);
    EXPECT_TRUE(box.prompt.contains(QStringLiteral("4 characters"))) << box.prompt.toStdString();
    for (QChar lost : QStringLiteral("\u2603\u4E2D\u6587"))
        EXPECT_TRUE(box.prompt.contains(lost));
    EXPECT_FALSE(box.prompt.contains(QStringLiteral("\u20AC")));
    EXPECT_EQ(bytesOf(p), QByteArray("old\r\n"));
    EXPECT_TRUE(f->TextChanged);

    // Through "Save this file as", No leaves the chosen file and the document's name alone.
    const QString other = path(QStringLiteral("other.txt"));
    dialogs.answer(MsgAnswer::Yes).answer(MsgAnswer::No);
    files.choose(other);
    click(f->cmdSaveas);
    EXPECT_FALSE(QFile::exists(other));
    EXPECT_EQ(f->FilePath, p);

    // Closing with Yes, then No here: the window stays.
    dialogs.answer(MsgAnswer::Yes).answer(MsgAnswer::No);
    ASSERT_FALSE(f->Unload());
    settle();

    dialogs.answer(MsgAnswer::Yes);
    click(f->cmdSave);
    EXPECT_EQ(bytesOf(p), QByteArray("\x80 caf\xE9 ? ?? ?\r\n"));
    EXPECT_FALSE(f->TextChanged);
}

// A document is written in the encoding it was read in: a UTF-8 page comes back byte for
// byte, byte-order mark included, and what is typed into it goes out in UTF-8 without a
// question; typed into a Windows-1252 file, only the character the code page lacks is asked
// about. A blank document is Windows-1252.
TEST_F(DocumentTest, EachDocumentIsSavedInTheEncodingItWasReadIn)
{
    const QString typed = QStringLiteral("\u00E9\u20AC\u2713");
    const struct {
        const char* name;
        QByteArray file;
        QString shown;
        QByteArray atOnce;  // saved right after opening
        QByteArray typedBytes;
        bool asked;
    } cases[] = {
        {"page.html", "<p>\xE2\x80\x9Cq\xE2\x80\x9D caf\xC3\xA9</p>\r\n", QStringLiteral("\r\n<p>\u201Cq\u201D caf\u00E9</p>"),
         "\r\n<p>\xE2\x80\x9Cq\xE2\x80\x9D caf\xC3\xA9</p>\r\n", "\xC3\xA9\xE2\x82\xAC\xE2\x9C\x93", false},
        {"marked.css", "\xEF\xBB\xBF" "a{}\n", QStringLiteral("\r\na{}\n"), "\xEF\xBB\xBF\r\na{}\n\r\n",
         "\xC3\xA9\xE2\x82\xAC\xE2\x9C\x93", false},
        {"old.html", "<p>\x93q\x94 caf\xE9</p>\r\n", QStringLiteral("\r\n<p>\u201Cq\u201D caf\u00E9</p>"),
         "\r\n<p>\x93q\x94 caf\xE9</p>\r\n", "\xE9\x80?", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString p = put(QString::fromLatin1(c.name), c.file);
        frmTf* f = open(p);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->txtText01->Text(), c.shown);
        click(f->cmdSave);
        EXPECT_EQ(bytesOf(p), c.atOnce);

        main->activateWindow();
        f->txtText01->setFocus();
        QTest::keyClick(f->txtText01, Qt::Key_End, Qt::ControlModifier);
        for (QChar ch : typed)
            QTest::sendKeyEvent(QTest::Click, f->txtText01, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        ASSERT_TRUE(f->txtText01->Text().endsWith(typed));
        if (c.asked)
            dialogs.answer(MsgAnswer::Yes);
        click(f->cmdSave);
        EXPECT_EQ(bytesOf(p), c.atOnce.chopped(2) + c.typedBytes + "\r\n");
        ASSERT_EQ(dialogs.shown().size(), c.asked ? 1 : 0);
        if (c.asked) {
            const QString prompt = dialogs.last().prompt;
            EXPECT_TRUE(prompt.contains(QStringLiteral("1 character that cannot be written in this file's character set "
                                                       "(Windows-1252):\r\n\r\n     \u2713 (U+2713)\r\n")))
                << prompt.toStdString();
        }
        dialogs.clear();
        f->Unload();
        settle();
    }

    // A surrogate half without its partner is all UTF-8 cannot hold; the document stays UTF-8
    // under a new name.
    frmTf* f = open(path(QStringLiteral("page.html")));
    f->txtText01->setText(QStringLiteral("\u4E2D") + QChar(0xD800));
    dialogs.answer(MsgAnswer::No);
    click(f->cmdSave);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.last().prompt.contains(QStringLiteral("(UTF-8):\r\n\r\n     U+D800\r\n")))
        << dialogs.last().prompt.toStdString();
    const QString copy = path(QStringLiteral("copy.html"));
    dialogs.answer(MsgAnswer::Yes).answer(MsgAnswer::Yes);
    files.choose(copy);
    click(f->cmdSaveas);
    EXPECT_EQ(bytesOf(copy), QByteArray("\xE4\xB8\xAD?\r\n"));

    frmTf* b = blank(QStringLiteral("caf\u00E9"));
    dialogs.answer(MsgAnswer::Yes);
    files.choose(path(QStringLiteral("blank.txt")));
    click(b->cmdSave);
    EXPECT_EQ(bytesOf(path(QStringLiteral("blank.txt"))), QByteArray("caf\xE9\r\n"));
}

TEST_F(DocumentTest, ShadesEntryIsUnavailableExactlyWhileTheWindowItOpenedIsOpen)
{
    const qint16 before = main->openWindowCount();
    const QString shades = put(QStringLiteral("myshades.csv"), "Sky,135,206,235,#87CEEB,skyblue\r\n");
    main->mnuMyShades->trigger();
    settle();
    frmTf* f = active();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->Caption(), shades);
    EXPECT_EQ(f->txtText01->Text(), QStringLiteral("\r\nSky,135,206,235,#87CEEB,skyblue"));
    EXPECT_TRUE(f->cmdSave->isEnabled());
    EXPECT_FALSE(main->mnuMyShades->isEnabled());
    EXPECT_EQ(main->openWindowCount(), before + 1);
    f->txtText01->setText(QStringLiteral("\r\nSea"));
    click(f->cmdSave);
    EXPECT_EQ(bytesOf(shades), QByteArray("\r\nSea\r\n"));

    click(f->cmdClose);
    settle();
    EXPECT_TRUE(main->mnuMyShades->isEnabled());
    EXPECT_EQ(main->openWindowCount(), before);

    // Under its capitalised name in another program folder; saved under a new name, its
    // window still gives the entry back when it closes.
    const QString folder = path(QStringLiteral("Program Folder"));
    QDir().mkpath(folder);
    setProgramFolderForTesting(folder);
    put(QStringLiteral("Program Folder/MyShades.csv"), "Rose\r\n");
    main->mnuMyShades->trigger();
    settle();
    f = active();
    EXPECT_EQ(f->Caption(), folder + QStringLiteral("/MyShades.csv"));
    dialogs.answer(MsgAnswer::Yes);
    files.choose(path(QStringLiteral("mine.csv")));
    click(f->cmdSaveas);
    EXPECT_EQ(f->Caption(), QStringLiteral("This file name : ") + path(QStringLiteral("mine.csv")));
    EXPECT_FALSE(main->mnuMyShades->isEnabled());
    f->Unload();
    settle();
    EXPECT_TRUE(main->mnuMyShades->isEnabled());
}

TEST_F(DocumentTest, MissingOrUnreadableShadesFileIsReported)
{
    const qint16 before = main->openWindowCount();
    const int windows = children().size();
    main->mnuMyShades->trigger();
    settle();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.last().prompt.startsWith(QStringLiteral("The MyShades.csv file is not found !")));
    EXPECT_EQ(children().size(), windows);
    EXPECT_EQ(main->openWindowCount(), before);
    EXPECT_TRUE(main->mnuMyShades->isEnabled());

    // A folder by that name: 75, and an empty window that holds the entry until it closes.
    QDir().mkpath(path(QStringLiteral("myshades.csv")));
    main->mnuMyShades->trigger();
    settle();
    EXPECT_EQ(dialogs.last().prompt, report(75));
    frmTf* f = active();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->Caption(), QStringLiteral("Open a File"));
    EXPECT_FALSE(main->mnuMyShades->isEnabled());
    f->Unload();
    settle();
    EXPECT_TRUE(main->mnuMyShades->isEnabled());
}
