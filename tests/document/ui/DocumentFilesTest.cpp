// Opening and saving through the document window: byte-exact round trips, editing a file
// of LF lines, read-only documents, "Save this file as" with overwrite and append,
// failures, characters the code page cannot hold, and the shades file.
#include "DocumentTest.h"

#include "platform/logic/CommonDialog.h"
#include "platform/logic/ProgramFolder.h"
#include "shell/logic/ErrorReport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTest>

using namespace folio;
using test::DocumentTest;
using test::settle;

namespace {

QString report(int number)
{
    return basModu001::errorReportText(RuntimeError::fromNumber(number));
}

const QString kShadesMissing = QStringLiteral(
    "The MyShades.csv file is not found ! \r\nPlease locate and open it manually from the File --> Open menu.");

QByteArray allBytes()
{
    QByteArray b;
    for (int i = 0; i < 256; ++i)
        b.append(char(i));
    return b;
}

}  // namespace

TEST_F(DocumentTest, OpenedAndSavedAtOnceFilesComeBackByTheReadingAndWritingRules)
{
    const QByteArray all = allBytes();
    const QByteArray longLine(100000, 'x');
    struct Case {
        const char* name;
        QByteArray file;
        QString text;     // what the window shows
        QByteArray saved; // what "&Save" writes at once
    };
    const Case cases[] = {
        {"crlf.txt", "a\r\nb\r\n", QStringLiteral("\r\na\r\nb"), "\r\na\r\nb\r\n"},
        {"lf.txt", "a\nb\n", QStringLiteral("\r\na\nb\n"), "\r\na\nb\n\r\n"},
        {"cr.txt", "a\rb\r", QStringLiteral("\r\na\r\nb"), "\r\na\r\nb\r\n"},
        {"mixed.txt", "a\r\nb\nc\rd", QStringLiteral("\r\na\r\nb\nc\r\nd"), "\r\na\r\nb\nc\r\nd\r\n"},
        {"noend.txt", "last", QStringLiteral("\r\nlast"), "\r\nlast\r\n"},
        {"empty.txt", "", QString(), "\r\n"},
        {"oneempty.txt", "\r\n", QStringLiteral("\r\n"), "\r\n\r\n"},
        {"blanklines.txt", "\r\n\r\nz", QStringLiteral("\r\n\r\n\r\nz"), "\r\n\r\n\r\nz\r\n"},
        {"bytes.bin", all, QString(), "\r\n" + all.left(13) + "\r\n" + all.mid(14) + "\r\n"},
        {"long.txt", longLine + "\r\n", QStringLiteral("\r\n") + QString(100000, u'x'), "\r\n" + longLine + "\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString p = put(QString::fromLatin1(c.name), c.file);
        frmTf* f = open(p);
        ASSERT_NE(f, nullptr);
        if (QByteArray(c.name) == "bytes.bin") {
            const QString t = f->txtText01->Text();
            EXPECT_EQ(t.size(), 2 + 13 + 2 + 242);
            EXPECT_TRUE(t.contains(QChar(0xA0)));  // no-break space stays itself
            EXPECT_TRUE(t.contains(QChar(0x81)));
            EXPECT_TRUE(t.contains(QChar(0x20AC)));  // byte 0x80
        } else {
            EXPECT_EQ(f->txtText01->Text(), c.text);
        }
        EXPECT_EQ(f->Caption(), p);
        EXPECT_EQ(f->FilePath, p);
        EXPECT_FALSE(f->TextChanged);
        QTest::mouseClick(f->cmdSave, Qt::LeftButton);
        EXPECT_EQ(bytesOf(p), c.saved);
        EXPECT_FALSE(f->TextChanged);
        EXPECT_TRUE(main->CommonDialog1.FileName.isEmpty());
        f->Unload();
        settle();
    }
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(DocumentTest, AFileOfLfLinesEditedWithTheKeyboardKeepsEveryUntouchedLf)
{
    const QString p = put(QStringLiteral("unix.txt"), "one\ntwo\nthree\n");
    frmTf* f = open(p);
    TextBox* t = f->txtText01;
    ASSERT_EQ(t->Text(), QStringLiteral("\r\none\ntwo\nthree\n"));
    main->activateWindow();
    t->setFocus();

    QTest::keyClick(t, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(t, Qt::Key_Down);
    QTest::keyClick(t, Qt::Key_End);
    QTest::keyClicks(t, QStringLiteral("!"));
    QTest::keyClick(t, Qt::Key_Return);  // Enter makes a CR LF
    QTest::keyClicks(t, QStringLiteral("new"));
    EXPECT_EQ(t->Text(), QStringLiteral("\r\none!\r\nnew\ntwo\nthree\n"));
    EXPECT_TRUE(f->TextChanged);

    // Typing over a selection that spans a break, then undo and redo.
    QTest::keyClick(t, Qt::Key_Down);
    QTest::keyClick(t, Qt::Key_End);
    QTest::keyClick(t, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClicks(t, QStringLiteral("-"));
    const QString joined = QStringLiteral("\r\none!\r\nnew\ntwo-three\n");
    EXPECT_EQ(t->Text(), joined);
    QTest::keyClick(t, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(t->Text(), QStringLiteral("\r\none!\r\nnew\ntwo\nthree\n"));
    t->redo();
    EXPECT_EQ(t->Text(), joined);

    // Paste at the end keeps the pasted text's own break.
    QApplication::clipboard()->setText(QStringLiteral("p\nq"));
    QTest::keyClick(t, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(t, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(t->Text(), joined + QStringLiteral("p\nq"));

    QTest::mouseClick(f->cmdSave, Qt::LeftButton);
    EXPECT_EQ(bytesOf(p), QByteArray("\r\none!\r\nnew\ntwo-three\np\nq\r\n"));
}

TEST_F(DocumentTest, OpenAndSaveDialogsAreSetUpWithTheirTitlesAndFileTypes)
{
    main->CommonDialog1.FileName = QStringLiteral("left over");
    frmTf* f = open(put(QStringLiteral("a.txt"), "a"));
    ASSERT_EQ(files.shown().size(), 1);
    const FileDialogRequest openRequest = files.shown()[0].file;
    EXPECT_EQ(files.shown()[0].kind, test::ScriptedCommonDialog::Kind::Open);
    EXPECT_EQ(openRequest.title, QStringLiteral("Open a file"));
    EXPECT_TRUE(openRequest.fileName.isEmpty());
    EXPECT_EQ(openRequest.defaultExt, QStringLiteral("txt"));
    EXPECT_EQ(openRequest.filters,
              parseFilterString(QStringLiteral(
                  "Text files (*.txt)|*.txt|HTML files (*.htm; *.html)|*.htm;*.html|INF files (*.inf)|*.inf|INI "
                  "files (*.ini)|*.ini|JavaScript files (*.js)|*.js|ASP files (*.asp)|*.asp|PHP files "
                  "(*.php)|*.php|CSS files (*.css)|*.css|XML files (*.xml)|*.xml|SHTML files "
                  "(*.shtml)|*.shtml|CGI files (*.cgi)|*.cgi|CSV files (*.csv)|*.csv|C header files "
                  "(*.h)|*.h|C files (*.c)|*.c|C++ files (*.cpp)|*.cpp| All files (*.*)|*.*")));
    EXPECT_EQ(openRequest.filters.size(), 16);
    EXPECT_EQ(main->CommonDialog1.CancelError, true);

    files.cancel();
    QTest::mouseClick(f->cmdSaveas, Qt::LeftButton);
    ASSERT_EQ(files.shown().size(), 2);
    const FileDialogRequest saveRequest = files.shown()[1].file;
    EXPECT_EQ(files.shown()[1].kind, test::ScriptedCommonDialog::Kind::Save);
    EXPECT_EQ(saveRequest.title, QStringLiteral("Save this file as"));
    EXPECT_TRUE(saveRequest.fileName.isEmpty());
    EXPECT_EQ(saveRequest.defaultExt, QStringLiteral("txt"));
    EXPECT_EQ(saveRequest.filters,
              parseFilterString(QStringLiteral(
                  "Text files (*.txt)|*.txt|HTM files (*.htm)|*.htm|HTML files (*.html)|*.html|INF files "
                  "(*.inf)|*.inf|INI files (*.ini)|*.ini|JavaScript files (*.js)|*.js|ASP files (*.asp)|*.asp|PHP "
                  "files (*.php)|*.php|CSS files (*.css)|*.css|XML files (*.xml)|*.xml|SHTML files "
                  "(*.shtml)|*.shtml|CGI files (*.cgi)|*.cgi|CSV files (*.csv)|*.csv|C header files "
                  "(*.h)|*.h|C files (*.c)|*.c|C++ files (*.cpp)|*.cpp| All files (*.*)|*.*")));
    EXPECT_EQ(saveRequest.filters.size(), 17);
    EXPECT_EQ(saveRequest.filters.last().description, QStringLiteral(" All files (*.*)"));
    // The cancelled save dialog changed nothing and said nothing.
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(f->Caption(), path(QStringLiteral("a.txt")));
}

TEST_F(DocumentTest, SaveAsOverwritesOrAppendsAndTiesTheDocumentToTheNewName)
{
    const QString source = put(QStringLiteral("source.txt"), "s\r\n");
    const QString target = put(QStringLiteral("target.htm"), "old\r\n");
    frmTf* f = open(source);
    EXPECT_FALSE(main->mnuHtml->isEnabled());

    // No: the text and a final CR LF after the existing contents.
    dialogs.answer(MsgAnswer::No);
    files.choose(target);
    QTest::mouseClick(f->cmdSaveas, Qt::LeftButton);
    EXPECT_EQ(bytesOf(target), QByteArray("old\r\n\r\ns\r\n"));
    const test::ShownBox question = dialogs.last();
    EXPECT_EQ(question.title, QStringLiteral("Please Confirm Your Choice"));
    EXPECT_EQ(question.buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(question.icon, MsgIcon::Question);
    EXPECT_EQ(question.defaultButton, 2);
    EXPECT_EQ(f->txtText01->Text(), QStringLiteral("\r\ns"));  // shows only its own text
    EXPECT_EQ(f->FilePath, target);
    EXPECT_EQ(f->Caption(), QStringLiteral("This file name : ") + target);
    EXPECT_EQ(f->FileExt, QStringLiteral("htm"));
    EXPECT_TRUE(main->mnuHtml->isEnabled());
    EXPECT_FALSE(f->TextChanged);
    EXPECT_TRUE(main->CommonDialog1.FileName.isEmpty());
    EXPECT_EQ(bytesOf(source), QByteArray("s\r\n"));

    // Yes: over the whole file; "&Save" afterwards writes there without asking.
    f->txtText01->setText(QStringLiteral("fresh"));
    dialogs.answer(MsgAnswer::Yes);
    files.choose(target);
    QTest::mouseClick(f->cmdSaveas, Qt::LeftButton);
    EXPECT_EQ(bytesOf(target), QByteArray("fresh\r\n"));
    f->txtText01->setText(QStringLiteral("again"));
    const int boxes = dialogs.shown().size();
    QTest::mouseClick(f->cmdSave, Qt::LeftButton);
    EXPECT_EQ(dialogs.shown().size(), boxes);
    EXPECT_EQ(bytesOf(target), QByteArray("again\r\n"));

    // Both answers create a file that does not exist yet.
    for (MsgAnswer a : {MsgAnswer::Yes, MsgAnswer::No}) {
        const QString fresh = path(a == MsgAnswer::Yes ? QStringLiteral("y.txt") : QStringLiteral("n.txt"));
        dialogs.answer(a);
        files.choose(fresh);
        QTest::mouseClick(f->cmdSaveas, Qt::LeftButton);
        EXPECT_EQ(bytesOf(fresh), QByteArray("again\r\n"));
        EXPECT_FALSE(main->mnuHtml->isEnabled());
    }
}

TEST_F(DocumentTest, ADeclinedNameIsNeverWrittenByALaterSave)
{
    const QString mine = put(QStringLiteral("mine.txt"), "mine\r\n");
    const QString theirs = put(QStringLiteral("theirs.txt"), "theirs\r\n");
    frmTf* f = open(mine);
    f->txtText01->setText(QStringLiteral("edited"));

    dialogs.answer(MsgAnswer::Cancel);
    files.choose(theirs);
    QTest::mouseClick(f->cmdSaveas, Qt::LeftButton);
    EXPECT_EQ(bytesOf(theirs), QByteArray("theirs\r\n"));
    EXPECT_EQ(f->FilePath, mine);
    EXPECT_EQ(f->Caption(), mine);
    EXPECT_TRUE(f->TextChanged);

    QTest::mouseClick(f->cmdSave, Qt::LeftButton);
    EXPECT_EQ(bytesOf(theirs), QByteArray("theirs\r\n"));
    EXPECT_EQ(bytesOf(mine), QByteArray("edited\r\n"));
}

TEST_F(DocumentTest, ReadOnlyDocumentsSaveOnlyUnderAnotherName)
{
    main->CommonDialog1.Flags = 3;  // as an earlier dialog might leave it
    const QString plain = put(QStringLiteral("plain.txt"), "p\r\n");
    frmTf* writable = open(plain, false);
    EXPECT_FALSE(writable->OpenedReadOnly);
    EXPECT_TRUE(writable->cmdSave->isEnabled());

    const QString p = put(QStringLiteral("Locked.TXT"), "ro\r\n");
    frmTf* f = open(p, true);
    EXPECT_TRUE(f->OpenedReadOnly);
    EXPECT_EQ(f->ReadOnlyPath, p);
    EXPECT_FALSE(f->cmdSave->isEnabled());
    EXPECT_EQ(f->Caption(), p);
    f->txtText01->setText(QStringLiteral("mine"));

    // "&Save" goes through the save dialog; the same name in other letters is refused.
    files.choose(path(QStringLiteral("locked.txt")));
    f->cmdSave_Click();
    EXPECT_EQ(dialogs.last().prompt,
              QStringLiteral("The filename that you selected is for read-only mode. You need to save this file by "
                             "some other name."));
    EXPECT_EQ(bytesOf(p), QByteArray("ro\r\n"));
    EXPECT_EQ(f->FilePath, p);
    EXPECT_EQ(f->Caption(), p);
    EXPECT_TRUE(f->TextChanged);

    // Another name is written; the document stays read-only.
    const QString copy = path(QStringLiteral("copy.txt"));
    dialogs.answer(MsgAnswer::Yes);
    files.choose(copy);
    QTest::mouseClick(f->cmdSaveas, Qt::LeftButton);
    EXPECT_EQ(bytesOf(copy), QByteArray("mine\r\n"));
    EXPECT_FALSE(f->cmdSave->isEnabled());
    EXPECT_TRUE(f->OpenedReadOnly);
    EXPECT_EQ(f->FilePath, copy);

    // Still refused afterwards.
    files.choose(p);
    QTest::mouseClick(f->cmdSaveas, Qt::LeftButton);
    EXPECT_EQ(bytesOf(p), QByteArray("ro\r\n"));
}

TEST_F(DocumentTest, FailuresAreReportedWithTheirNumbersAndLoseNothing)
{
    // A missing file: 53, the window stays open and empty.
    frmTf* f = open(path(QStringLiteral("missing.txt")));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(dialogs.last().prompt, report(53));
    EXPECT_EQ(f->Caption(), QStringLiteral("Open a File"));
    EXPECT_TRUE(f->txtText01->Text().isEmpty());
    f->Unload();
    settle();

    // A folder chosen as a file: 75.
    QDir().mkpath(path(QStringLiteral("folder.txt")));
    f = open(path(QStringLiteral("folder.txt")));
    EXPECT_EQ(dialogs.last().prompt, report(75));
    f->Unload();
    settle();

    f = blank(QStringLiteral("keep me"));
    // Saved onto a folder: 75, the folder is untouched.
    dialogs.answer(MsgAnswer::Yes);
    files.choose(path(QStringLiteral("folder.txt")));
    QTest::mouseClick(f->cmdSaveas, Qt::LeftButton);
    EXPECT_EQ(dialogs.last().prompt, report(75));
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("folder.txt"))).isDir());
    EXPECT_TRUE(f->FilePath.isEmpty());
    EXPECT_EQ(f->Caption(), QStringLiteral("Untitled"));
    EXPECT_TRUE(f->TextChanged);

    // Into a folder where no file can be made: 70, nothing created.
    const QString locked = unwritableFolder() + QStringLiteral("/new.txt");
    dialogs.answer(MsgAnswer::No);
    files.choose(locked);
    QTest::mouseClick(f->cmdSaveas, Qt::LeftButton);
    EXPECT_EQ(dialogs.last().prompt, report(70));
    EXPECT_FALSE(QFile::exists(locked));
    EXPECT_TRUE(f->TextChanged);
    EXPECT_EQ(f->txtText01->Text(), QStringLiteral("keep me"));

    // "&Save" onto a file whose folder has gone: 76, still changed.
    QDir().mkpath(path(QStringLiteral("sub")));
    const QString p = put(QStringLiteral("sub/doc.txt"), "doc\r\n");
    frmTf* g = open(p);
    g->txtText01->setText(QStringLiteral("edit"));
    QDir(path(QStringLiteral("sub"))).removeRecursively();
    QTest::mouseClick(g->cmdSave, Qt::LeftButton);
    EXPECT_EQ(dialogs.last().prompt, report(76));
    EXPECT_TRUE(g->TextChanged);
}

TEST_F(DocumentTest, CharactersTheCodePageCannotHoldAreOnlyLostWhenTheUserAgrees)
{
    const QString p = put(QStringLiteral("u.txt"), "old\r\n");
    frmTf* f = open(p);
    // Euro and e-acute exist in the code page; the snowman, two CJK letters and an emoji do not.
    const QString text = QStringLiteral("\u20AC caf\u00E9 \u2603 \u4E2D\u6587 ") + QString::fromUtf8("\xF0\x9F\x98\x80");
    f->txtText01->setText(text);

    dialogs.answer(MsgAnswer::No);
    QTest::mouseClick(f->cmdSave, Qt::LeftButton);
    ASSERT_EQ(dialogs.shown().size(), 1);
    const test::ShownBox box = dialogs.last();
    EXPECT_EQ(box.buttons, MsgButtons::YesNo);
    EXPECT_EQ(box.defaultButton, 2);
    EXPECT_TRUE(box.prompt.contains(QStringLiteral("4 characters"))) << box.prompt.toStdString();
    for (const QString& shown : {QStringLiteral("\u2603"), QStringLiteral("\u4E2D"), QStringLiteral("\u6587")})
        EXPECT_TRUE(box.prompt.contains(shown)) << shown.toStdString();
    EXPECT_FALSE(box.prompt.contains(QStringLiteral("\u20AC")));
    EXPECT_EQ(bytesOf(p), QByteArray("old\r\n"));
    EXPECT_TRUE(f->TextChanged);

    // Through "Save this file as", No leaves the chosen file and the document's name alone.
    const QString other = path(QStringLiteral("other.txt"));
    dialogs.answer(MsgAnswer::Yes).answer(MsgAnswer::No);
    files.choose(other);
    QTest::mouseClick(f->cmdSaveas, Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(other));
    EXPECT_EQ(f->FilePath, p);
    EXPECT_EQ(f->Caption(), p);

    // Closing with Yes, then No here: the window stays.
    dialogs.answer(MsgAnswer::Yes).answer(MsgAnswer::No);
    ASSERT_FALSE(f->Unload());
    settle();
    EXPECT_EQ(active(), f);

    // Yes: written, each lost character as '?'.
    dialogs.answer(MsgAnswer::Yes);
    QTest::mouseClick(f->cmdSave, Qt::LeftButton);
    EXPECT_EQ(bytesOf(p), QByteArray("\x80 caf\xE9 ? ?? ?\r\n"));
    EXPECT_FALSE(f->TextChanged);
}

TEST_F(DocumentTest, ShadesFileOpensCountsAndGivesItsEntryBackWhenClosed)
{
    const qint16 before = main->intOw;
    const QString shades = put(QStringLiteral("myshades.csv"), "Sky,135,206,235,#87CEEB,skyblue\r\n");
    main->mnuMyShades->trigger();
    settle();
    frmTf* f = active();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->Caption(), shades);
    EXPECT_EQ(f->FileExt, QStringLiteral("csv"));
    EXPECT_EQ(f->txtText01->Text(), QStringLiteral("\r\nSky,135,206,235,#87CEEB,skyblue"));
    EXPECT_FALSE(f->TextChanged);
    EXPECT_TRUE(f->cmdSave->isEnabled());
    EXPECT_FALSE(main->mnuMyShades->isEnabled());
    EXPECT_FALSE(main->mnuHtml->isEnabled());
    EXPECT_EQ(main->intOw, before + 1);

    f->txtText01->setText(QStringLiteral("\r\nSea,46,139,87,#2E8B57,seagreen"));
    QTest::mouseClick(f->cmdSave, Qt::LeftButton);
    EXPECT_EQ(bytesOf(shades), QByteArray("\r\nSea,46,139,87,#2E8B57,seagreen\r\n"));
    QTest::mouseClick(f->cmdClose, Qt::LeftButton);
    settle();
    EXPECT_TRUE(main->mnuMyShades->isEnabled());
    EXPECT_EQ(main->intOw, before);
}

TEST_F(DocumentTest, ShadesFileIsFoundUnderItsCapitalisedNameInAFolderOfAnyLetterCase)
{
    const QString folderPath = path(QStringLiteral("Program Folder"));
    QDir().mkpath(folderPath);
    setProgramFolderForTesting(folderPath);
    put(QStringLiteral("Program Folder/MyShades.csv"), "Rose,255,0,127,#FF007F,rose\r\n");
    main->mnuMyShades->trigger();
    settle();
    frmTf* f = active();
    EXPECT_EQ(f->txtText01->Text(), QStringLiteral("\r\nRose,255,0,127,#FF007F,rose"));
    EXPECT_EQ(f->Caption(), folderPath + QStringLiteral("/MyShades.csv"));
    f->Unload();
    settle();
    EXPECT_TRUE(main->mnuMyShades->isEnabled());
}

TEST_F(DocumentTest, MissingShadesFileIsReportedAndItsWindowCloses)
{
    const qint16 before = main->intOw;
    const int windows = children().size();
    main->mnuMyShades->trigger();
    settle();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.last().prompt, kShadesMissing);
    EXPECT_EQ(dialogs.last().title, QStringLiteral("Tagwright Folio"));
    EXPECT_EQ(dialogs.last().buttons, MsgButtons::OkOnly);
    EXPECT_EQ(children().size(), windows);
    EXPECT_EQ(main->intOw, before);
    EXPECT_TRUE(main->mnuMyShades->isEnabled());
}

TEST_F(DocumentTest, ShadesWindowSavedUnderANewNameNoLongerGivesTheEntryBack)
{
    put(QStringLiteral("myshades.csv"), "a\r\n");
    main->mnuMyShades->trigger();
    settle();
    frmTf* f = active();
    dialogs.answer(MsgAnswer::Yes);
    files.choose(path(QStringLiteral("mine.csv")));
    QTest::mouseClick(f->cmdSaveas, Qt::LeftButton);
    ASSERT_TRUE(f->Caption().startsWith(QStringLiteral("This file name : ")));
    f->Unload();
    settle();
    EXPECT_FALSE(main->mnuMyShades->isEnabled());
}

TEST_F(DocumentTest, AShadesFileThatCannotBeReadLeavesAnEmptyWindowThatKeepsTheEntry)
{
    QDir().mkpath(path(QStringLiteral("myshades.csv")));
    main->mnuMyShades->trigger();
    settle();
    EXPECT_EQ(dialogs.last().prompt, report(75));
    frmTf* f = active();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->Caption(), QStringLiteral("Open a File"));
    f->Unload();
    settle();
    EXPECT_FALSE(main->mnuMyShades->isEnabled());
}
