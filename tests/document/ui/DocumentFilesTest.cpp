// Opening and saving through the document window, end to end: "Save this file as" with
// overwrite, append and Cancel, read-only documents, failed openings, files changed by another
// program, characters the encoding cannot hold, the shades file, files named on the command
// line or dropped, and "Create a &New File". The byte rules themselves are in the logic suites.
#include "DocumentTest.h"

#include "document/logic/SaveTexts.h"
#include "platform/logic/NativeFileName.h"
#include "shell/logic/CommandLine.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QScopeGuard>
#include <QUrl>

#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace folio;
using namespace folio::test;

// "Save this file as": Cancel takes no name, No appends, Yes overwrites; the document then
// goes by the new name, and "&Save" writes there without a question.
TEST_F(DocumentTest, SaveAsCancelsAppendsOrOverwritesAndTiesTheDocumentToTheNewName)
{
    const QString source = put(QStringLiteral("source.txt"), "s\r\n");
    const QString target = put(QStringLiteral("target.htm"), "old\r\n");
    frmTf* f = open(source);
    f->txtText01->setText(QStringLiteral("\r\ns"));
    const struct { MsgAnswer answer; QByteArray target; QString name; } rows[] = {
        {MsgAnswer::Cancel, "old\r\n", source},
        {MsgAnswer::No, "old\r\n\r\ns\r\n", target},
        {MsgAnswer::Yes, "\r\ns\r\n", target},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(int(r.answer));
        dialogs.clear();
        dialogs.answer(r.answer);
        files.choose(target);
        click(f->cmdSaveas);
        EXPECT_EQ(bytesOf(target), r.target);
        EXPECT_EQ(dialogs.shown(), QList{msgBox(QStringLiteral(
            "If an existing file is selected, \r\n     Click on Yes to overwrite the contents in the existing file.\r\n"
            "     Click on No to append to the end of contents in the existing file.\r\n\r\nTo create and save as a new "
            "file, click No. if you clicked on Yes, you may get an error message.\r\n\r\nClick Cancel to cancel saving "
            "activity."), QStringLiteral("Please Confirm Your Choice"), MsgButtons::YesNoCancel, MsgIcon::Question, 2)});
        EXPECT_EQ(std::tuple(f->FilePath, main->mnuHtml->isEnabled(), f->TextChanged),
                  std::tuple(r.name, r.name == target, r.answer == MsgAnswer::Cancel));
    }
    EXPECT_EQ(f->Caption(), QStringLiteral("This file name : ") + target);
    f->txtText01->setText(QStringLiteral("again"));
    click(f->cmdSave);  // to the new name without a question
    EXPECT_EQ(std::tuple(bytesOf(target), bytesOf(source), dialogs.shown().size()),
              std::tuple(QByteArray("again\r\n"), QByteArray("s\r\n"), qsizetype(1)));
}

// "Sa&ve As" with No writes in the encoding of the file it appends to (one that tells none,
// empty or all ASCII: the document's own), and asks first about characters that encoding
// cannot hold; "e" with a combining accent is composed to the "é" Windows-1252 has.
TEST_F(DocumentTest, AppendedTextTakesTheEncodingOfTheFileItJoins)
{
    using docformat::Encoding;
    const Encoding w = Encoding::Windows1252, u = Encoding::Utf8, m = Encoding::Utf8WithMark;
    const MsgAnswer no = MsgAnswer::No, yes = MsgAnswer::Yes;
    const QString lost = QStringLiteral("\r\n\u0105e\u0301");
    const char* inFile = "this file's character set (Windows-1252):\r\n\r\n     \u0105 (U+0105): 1 time\r\n\r\n";
    const struct { Encoding doc; QString text; QByteArray file; QList<MsgAnswer> answers; QByteArray after; const char* asked; } rows[] = {
        {w, QStringLiteral("\r\n\u00E9"), "na\xC3\xAFve\r\n", {no}, "na\xC3\xAFve\r\n\r\n\xC3\xA9\r\n", nullptr},
        {u, QStringLiteral("\r\n\u00EF"), "caf\xE9\r\n", {no}, "caf\xE9\r\n\r\n\xEF\r\n", nullptr},
        {m, QStringLiteral("\r\n\u00E9"), "", {no}, "\xEF\xBB\xBF\r\n\xC3\xA9\r\n", nullptr},
        {u, QStringLiteral("\r\n\u0105"), "a\r\n", {no}, "a\r\n\r\n\xC4\x85\r\n", nullptr},
        {u, lost, "caf\xE9\r\n", {no, no}, "caf\xE9\r\n", inFile},
        {u, lost, "caf\xE9\r\n", {no, yes}, "caf\xE9\r\n\r\n?\xE9\r\n", inFile},
        {w, lost, "old\r\n", {yes, no}, "old\r\n", "this document's character set (Windows-1252)"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.after.toStdString());
        frmTf* f = doc(r.text);
        ASSERT_NE(f, nullptr);
        f->fileEncoding = r.doc;
        const QString target = put(QStringLiteral("target.txt"), r.file);
        dialogs.clear();
        for (const MsgAnswer a : r.answers)
            dialogs.answer(a);
        files.choose(target);
        click(f->cmdSaveas);
        EXPECT_EQ(bytesOf(target), r.after);
        EXPECT_EQ(dialogs.prompts().filter(QString::fromUtf8(r.asked ? r.asked : "\x01")).size(), r.asked ? 1 : 0);
        EXPECT_EQ(dialogs.shown().size(), r.answers.size());
        f->Unload();
    }
}

// "&Save" of a read-only document and its closing with Yes go through the save dialog, which
// refuses the same name in any letter case; another name is written, the document stays
// read-only.
TEST_F(DocumentTest, ReadOnlyDocumentsSaveOnlyUnderAnotherNameInAnyLetterCase)
{
    const QString p = put(QStringLiteral("Locked.TXT"), "ro\r\n");
    frmTf* f = open(p, true);
    EXPECT_FALSE(f->cmdSave->isEnabled());
    f->txtText01->setText(QStringLiteral("mine"));
    files.choose(path(QStringLiteral("locked.txt")));
    f->cmdSave_Click();
    dialogs.answer(MsgAnswer::Yes);
    files.choose(path(QStringLiteral("LOCKED.TXT")));
    ASSERT_FALSE(f->Unload());
    settle();
    const QString refusal = QStringLiteral(
        "The filename that you selected is for read-only mode. You need to save this file by some other name.");
    EXPECT_EQ(dialogs.prompts().filter(refusal).size(), 2);
    EXPECT_EQ(std::pair(bytesOf(p), f->TextChanged), std::pair(QByteArray("ro\r\n"), true));
    const QString copy = path(QStringLiteral("copy.txt"));
    dialogs.answer(MsgAnswer::Yes);
    files.choose(copy);
    click(f->cmdSaveas);
    EXPECT_EQ(std::pair(bytesOf(copy), f->cmdSave->isEnabled()), std::pair(QByteArray("mine\r\n"), false));
}

// A file that cannot be read is reported and leaves a window as blank as a new one, holding no
// file name that "&Save" could write to. A huge file is refused before reading. A big
// file gone before it was read whole is reported alike, and its window goes.
TEST_F(DocumentTest, AFailedOpeningIsReportedAndLeavesAWindowThatHoldsNoFile)
{
    const QString huge = put(QStringLiteral("huge.txt"), {});
    ASSERT_TRUE(QFile::resize(huge, qint64(40) << 30));  // takes no room on the disk
    const struct { QString file; QString reportStart; } cases[] = {
        {path(QStringLiteral("missing.txt")), report(53)},
        {huge, QStringLiteral("Some error occurred !\r\n\r\nError no. :  7\r\nError description :  File too large (40.0 GB)")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        dialogs.clear();
        frmTf* f = open(c.file);
        EXPECT_TRUE(dialogs.shown().size() == 1 && dialogs.last().prompt.startsWith(c.reportStart))
            << dialogs.prompts().join(QStringLiteral(" | ")).toStdString();
        EXPECT_EQ(std::tuple(f->Caption(), f->txtText01->Text(), f->FilePath, f->FileExt),
                  std::tuple(QStringLiteral("Open a File"), QString(), QString(), QString()));
        f->Unload();
    }
    EXPECT_EQ(QFileInfo(huge).size(), qint64(40) << 30);

    const QString gone = put(QStringLiteral("gone.txt"), QByteArray(100000, 'a'));
    const qint64 atOnce = std::exchange(frmTf::readAtOnceBytes, 0);
    dialogs.clear();
    files.choose(gone);
    main->mnuOef->trigger();  // not settled: the file goes before the rest is read
    const QPointer<frmTf> f = active();
    ASSERT_TRUE(QFile::remove(gone));
    for (int i = 0; i < 500 && dialogs.shown().isEmpty(); ++i)
        QTest::qWait(10);
    settle();
    frmTf::readAtOnceBytes = atOnce;
    EXPECT_TRUE(dialogs.shown().size() == 1 && dialogs.last().prompt.startsWith(report(53)))
        << dialogs.prompts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(f.isNull());
}

// "&Save" asks before writing over a file another window or program changed since this window
// read or wrote it (a change of the time alone too); No writes nothing, and on closing keeps
// the window.
TEST_F(DocumentTest, SaveAsksBeforeWritingOverAFileChangedSinceThisWindowReadOrWroteIt)
{
    const QString p = put(QStringLiteral("shared.txt"), "first\r\n");
    frmTf* a = open(p);
    frmTf* b = open(p);
    a->txtText01->setText(QStringLiteral("from a"));
    b->txtText01->setText(QStringLiteral("from b"));
    click(a->cmdSave);
    dialogs.answer(MsgAnswer::No);
    click(b->cmdSave);
    EXPECT_EQ(dialogs.shown(), QList{msgBox(QStringLiteral(
        "This file has been changed by another program since it was opened or last saved here.\r\n\r\nClick Yes to "
        "overwrite those changes with this text, or No to leave the file as it is.\r\nDo you want to overwrite the file ?"),
        QStringLiteral("Tagwright Folio"), MsgButtons::YesNo, MsgIcon::Exclamation, 2)});
    EXPECT_EQ(std::pair(bytesOf(p), b->TextChanged), std::pair(QByteArray("from a\r\n"), true));
    dialogs.answer(MsgAnswer::Yes);
    click(b->cmdSave);
    click(b->cmdSave);  // b wrote it last: no question
    EXPECT_EQ(std::pair(bytesOf(p), dialogs.shown().size()), std::pair(QByteArray("from b\r\n"), qsizetype(2)));

    const timespec times[2] = {{0, UTIME_OMIT}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(p).constData(), times, 0), 0);
    b->txtText01->setText(QStringLiteral("again"));
    dialogs.answer(MsgAnswer::Yes).answer(MsgAnswer::No);
    EXPECT_FALSE(b->Unload());
    EXPECT_EQ(std::pair(bytesOf(p), dialogs.shown().size()), std::pair(QByteArray("from b\r\n"), qsizetype(4)));
}

// Files named on the command line or dropped open as from the menu; ones that fail are
// reported with their names and skipped. Text and web addresses dropped are not files.
TEST_F(DocumentTest, FilesNamedOrDroppedOpenAsFromTheMenuAndOnesThatFailAreReportedByNameAndSkipped)
{
    const auto named = [](const char* number, const char* description, const QString& file) {
        return QStringLiteral("Some error occurred !\r\n\r\nError no. :  %1\r\nError description :  %2: \"%3\"\r\n"
                              "Source of error :   TagwrightFolio").arg(QLatin1String(number), QLatin1String(description), file);
    };
    const QString page = put(QStringLiteral("page.html"), "<b>x</b>\r\n");
    const QString notes = put(QStringLiteral("notes.txt"), "n\r\n");
    const QString folder = path(QStringLiteral("folder.txt"));
    QDir().mkpath(folder);
    const qint16 before = main->openWindowCount();
    main->openFiles({page, path(QStringLiteral("missing.txt")), folder, notes});
    settle();
    EXPECT_EQ(dialogs.prompts(), QStringList({named("53", "File not found", path(QStringLiteral("missing.txt"))),
                                              named("75", "Path/File access error", folder)}));
    ASSERT_EQ(children().size(), 3);
    EXPECT_EQ(qobject_cast<frmTf*>(children()[1])->txtText01->Text(), QStringLiteral("\r\n<b>x</b>"));
    EXPECT_EQ(std::tuple(active()->Caption(), main->mnuHtml->isEnabled(), main->openWindowCount()),
              std::tuple(notes, false, qint16(before + 2)));

    dialogs.clear();
    QMimeData dropped, web, text;
    dropped.setUrls({QUrl::fromLocalFile(page), QUrl::fromLocalFile(folder)});
    dropped.setText(page);  // file managers add the paths as text too
    web.setUrls({QUrl::fromLocalFile(page), QUrl(QStringLiteral("https://example.org/"))});
    text.setText(page);
    QWidget* box = active()->txtText01->viewport();
    for (const QMimeData* data : {&web, &text, &dropped}) {
        QDragEnterEvent enter(box->rect().center(), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(data == &dropped ? box : main->mdiArea()->viewport(), &enter);
        EXPECT_EQ(enter.isAccepted(), data == &dropped);
    }
    QDropEvent drop(box->rect().center(), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &drop);
    settle();
    EXPECT_EQ(dialogs.prompts(), QStringList({named("75", "Path/File access error", folder)}));
    EXPECT_EQ(std::tuple(active()->Caption(), main->mnuHtml->isEnabled(), main->openWindowCount()),
              std::tuple(page, true, qint16(before + 3)));
}

// A name that is not UTF-8 ("caf\xE9.txt", Latin-1, in a folder "d\xE9") given on the command
// line in its folder or dropped opens that very file, shows its stray bytes as "\xE9" and is
// saved into it; whether another program changed it meanwhile is asked of that file too.
// "caf\xEF\xBF\xBD.txt", which Qt would take for it, is never touched.
TEST_F(DocumentTest, NamesThatAreNotUtf8OpenAndSaveTheFileNamedAndNoLookAlike)
{
    const QByteArray base = QFile::encodeName(folder.path()), dir = base + "/d\xE9";  // a Latin-1 folder too
    const QByteArray latin1 = dir + "/caf\xE9.txt", lookAlike = dir + "/caf\xEF\xBF\xBD.txt";
    char was[4096];
    ASSERT_TRUE(::mkdir(dir.constData(), 0700) == 0 && ::getcwd(was, sizeof was) && ::chdir(dir.constData()) == 0);
    const auto read = [](const QByteArray& file) {
        std::ifstream in(file.constData(), std::ios::binary);
        return QByteArray::fromStdString(std::string(std::istreambuf_iterator<char>(in), {}));
    };
    const auto removeLatin1 = qScopeGuard([&] { std::filesystem::remove_all(dir.toStdString()); });  // Qt would not find it
    std::ofstream(latin1.constData(), std::ios::binary) << "latin\r\n";
    std::ofstream(lookAlike.constData(), std::ios::binary) << "look\r\n";
    // Named on the command line in that folder.
    const QStringList named = cli::parse({"tagwright-folio", fileNameFromNative("caf\xE9.txt")}).files;
    ASSERT_EQ(::chdir(was), 0);
    main->openFiles(named);
    settle();
    QMimeData dropped;
    dropped.setData(QStringLiteral("text/uri-list"), "file://" + base + "/d%E9/caf%E9.txt\r\n");
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QDropEvent drop(QPoint(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    for (QDropEvent* event : {static_cast<QDropEvent*>(&enter), &drop})
        QApplication::sendEvent(main->mdiArea()->viewport(), event);
    settle();
    ASSERT_EQ(children().size(), 3);  // the About window and the two
    dialogs.answer(MsgAnswer::No);
    for (ChildForm* child : {children()[1], children()[2]}) {
        auto* f = qobject_cast<frmTf*>(child);
        EXPECT_EQ(std::pair(f->Caption(), f->txtText01->Text()),
                  std::pair(folder.path() + QStringLiteral("/d\\xE9/caf\\xE9.txt"), QStringLiteral("\r\nlatin")));
        f->txtText01->setText(f->txtText01->Text() + QStringLiteral(" saved"));
        click(f->cmdSave);
    }
    // The second window's save is asked about, and declined: the first wrote the file since.
    EXPECT_EQ(dialogs.prompts(), QStringList({document::kChangedOnDiskQuestion}));
    EXPECT_EQ(std::pair(read(latin1), read(lookAlike)), std::pair(QByteArray("\r\nlatin saved\r\n"), QByteArray("look\r\n")));
}

// A document is written in the encoding it was read in. Each row: the file, the text shown, the
// bytes "&Save" writes at once (the same, byte-order mark included, one line end more), and what
// typing U+00E9 U+20AC U+2713 at the end adds to them. Typed into a Windows-1252 file, only the
// character the code page lacks is asked about, and No through "&Save", "Save this file as" or
// closing writes nothing and keeps the name and the window. (That a blank document is
// Windows-1252 is the tag commands' case changes' premise.)
// A bigger file shows its top first and is read whole meanwhile: what its end says about the
// encoding holds for all of it.
TEST_F(DocumentTest, EachDocumentIsSavedInTheEncodingItWasReadIn)
{
    const QByteArray lines = QByteArray(98, 'a').append("\r\n").repeated(800);
    const QByteArray typedUtf8 = "\xC3\xA9\xE2\x82\xAC\xE2\x9C\x93";
    const struct { const char* name; QByteArray file; QString shown; QByteArray atOnce, typed; } cases[] = {
        {"marked.css", "\xEF\xBB\xBF" "a{}\n", QStringLiteral("\r\na{}\n"), "\xEF\xBB\xBF\r\na{}\n\r\n", typedUtf8},
        {"old.html", "<p>\x93q\x94 caf\xE9</p>\r\n", QStringLiteral("\r\n<p>\u201Cq\u201D caf\u00E9</p>"),
         "\r\n<p>\x93q\x94 caf\xE9</p>\r\n", "\xE9\x80?"},
        {"big.txt", lines + "\xC3\xA9", QStringLiteral("\r\n") + QString::fromLatin1(lines) + QStringLiteral("\u00E9"),
         "\r\n" + lines + "\xC3\xA9\r\n", typedUtf8},
        {"big2.txt", "\xC3\xA9\r\n" + lines + "\xFF", QStringLiteral("\r\n\u00C3\u00A9\r\n") + QString::fromLatin1(lines)
         + QStringLiteral("\u00FF"), "\r\n\xC3\xA9\r\n" + lines + "\xFF\r\n", "\xE9\x80?"},
    };
    const qint64 atOnce = frmTf::readAtOnceBytes;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        frmTf::readAtOnceBytes = c.file.size() > 10000 ? 0 : atOnce;  // the big ones are read behind their top
        const QString p = put(QString::fromLatin1(c.name), c.file);
        frmTf* f = open(p);
        click(f->cmdSave);  // the big ones may still be being read: the save waits for the whole
        EXPECT_EQ(std::pair(bytesOf(p), f->txtText01->Text()), std::pair(c.atOnce, c.shown));
        f->txtText01->setFocus();
        QTest::keyClick(f->txtText01, Qt::Key_End, Qt::ControlModifier);
        for (QChar ch : QStringLiteral("\u00E9\u20AC\u2713"))
            QTest::sendKeyEvent(QTest::Click, f->txtText01, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        dialogs.clear();
        const bool asked = c.typed != typedUtf8;
        if (asked) {
            const QString other = path(QStringLiteral("other.txt"));
            dialogs.answer(MsgAnswer::No).answer(MsgAnswer::Yes).answer(MsgAnswer::No).answer(MsgAnswer::Yes).answer(MsgAnswer::No);
            click(f->cmdSave);
            files.choose(other);
            click(f->cmdSaveas);
            ASSERT_FALSE(f->Unload());
            EXPECT_EQ(std::tuple(bytesOf(p), QFile::exists(other), f->FilePath), std::tuple(c.atOnce, false, p));
            dialogs.clear();
            dialogs.answer(MsgAnswer::Yes);
        }
        click(f->cmdSave);
        EXPECT_EQ(bytesOf(p), c.atOnce.chopped(2) + c.typed + "\r\n");
        const QString lost = QStringLiteral("1 character that cannot be written in this file's character set "
                                            "(Windows-1252):\r\n\r\n     \u2713 (U+2713): 1 time\r\n");
        EXPECT_EQ(std::pair(dialogs.prompts().filter(lost).size(), dialogs.shown().size()),
                  std::pair(qsizetype(asked), qsizetype(asked)));
        f->Unload();
    }
    frmTf::readAtOnceBytes = atOnce;
}

// A big file is read behind its top. Keys typed at once wait in the box for the whole text and
// go in where the caret stands in the top (its start, or where the user put it); a command
// given meanwhile ("&Paste") takes the whole text in first and acts behind them; "&Save"
// writes exactly what was typed and pasted amid the file's bytes.
TEST_F(DocumentTest, KeysAndCommandsGivenWhileABigFileIsReadActOnTheWholeText)
{
    const auto restore = qScopeGuard([atOnce = std::exchange(frmTf::readAtOnceBytes, 0)] { frmTf::readAtOnceBytes = atOnce; });
    const QByteArray file = QByteArray("<p>a line\nwith a lone LF</p>\r\n").repeated(20000);
    QGuiApplication::clipboard()->setText(QStringLiteral("XY"));
    // The caret put in the top, and the bytes saved (the text starts with a line break).
    for (const auto& [caret, saved] : {std::pair(0, "abXYc\r\n" + file), {5, "\r\n<p>abXYc" + file.mid(3)}}) {
        files.choose(put(QStringLiteral("big.html"), file));
        main->mnuOef->trigger();  // not settled: the rest is still being read
        frmTf* f = active();
        ASSERT_TRUE(f && f->txtText01->Loading());
        f->txtText01->setFocus();
        f->txtText01->setSelStart(caret);
        QTest::keyClicks(f->txtText01, QStringLiteral("ab"));
        main->mnuPaste->trigger();
        QTest::keyClicks(f->txtText01, QStringLiteral("c"));
        EXPECT_EQ(std::tuple(f->txtText01->Loading(), f->Loading(), f->TextChanged), std::tuple(false, false, true));
        click(f->cmdSave);
        EXPECT_EQ(std::pair(bytesOf(f->FilePath), f->TextChanged), std::pair(saved, false));
    }
}

// "Open &MyShades.csv" opens the file in a program folder the user may write under either
// name; without it it says so, and a folder by that name is reported. (That the entry is
// unavailable exactly while its window is open is the random session's invariant.)
//
// An installed program's folder is not the user's to write: the entry shows the shipped
// sample, tied to the user's own copy in the data folder, and nothing is created there
// before the first "&Save" (which makes the folder the user's alone); reopened, it shows the
// user's copy. The superuser may write anywhere, so the user is played by nobody in a child
// process when the tests run as root.
TEST_F(DocumentTest, ShadesEntryOpensTheProgramFoldersFileElseTheUsersOwnOrSaysWhatIsWrong)
{
    main->mnuMyShades->trigger();
    QDir().mkpath(path(QStringLiteral("myshades.csv")));
    main->mnuMyShades->trigger();
    settle();
    EXPECT_EQ(dialogs.prompts(), QStringList({QStringLiteral("The MyShades.csv file is not found ! \r\nPlease locate and "
                                                             "open it manually from the File --> Open menu."), report(75)}));
    const QString program = path(QStringLiteral("Program Folder")), data = path(QStringLiteral("data"));
    ASSERT_TRUE(QDir().mkpath(program) && QDir().mkpath(data));
    setProgramFolderForTesting(program);
    const QByteArray sample = "Sky,135,206,235,#87CEEB,skyblue\r\n";
    const QString shades = put(QStringLiteral("Program Folder/MyShades.csv"), sample);
    click(active()->cmdClose);
    main->mnuMyShades->trigger();
    settle();
    EXPECT_EQ(std::pair(active()->Caption(), active()->txtText01->Text()),
              std::pair(shades, QStringLiteral("\r\nSky,135,206,235,#87CEEB,skyblue")));
    click(active()->cmdClose);

    for (const auto& [name, mode] : {std::pair(folder.path(), 0755), {data, 0777}, {program, 0555}})
        ASSERT_EQ(::chmod(QFile::encodeName(name).constData(), mode_t(mode)), 0);
    const QString own = data + QStringLiteral("/tagwright-folio/MyShades.csv");
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(201);
        qputenv("XDG_DATA_HOME", QFile::encodeName(data));
        main->setUpdatesEnabled(false);   // painting needs threads that did not come along
        [&] {
            main->mnuMyShades->trigger();
            settle();
            frmTf* f = active();
            ASSERT_TRUE(f);
            EXPECT_EQ(std::pair(f->Caption(), f->txtText01->Text()),
                      std::pair(own, QStringLiteral("\r\nSky,135,206,235,#87CEEB,skyblue")));
            EXPECT_TRUE(QDir(data).isEmpty());
            f->txtText01->setFocus();
            f->txtText01->moveCaret(f->txtText01->TextLength(), false);
            QTest::keyClicks(f->txtText01, QStringLiteral(" mine"));
            click(f->cmdSave);
            EXPECT_EQ(bytesOf(own), "\r\nSky,135,206,235,#87CEEB,skyblue mine\r\n");
            click(f->cmdClose);
            main->mnuMyShades->trigger();
            settle();
            ASSERT_TRUE(active());
            EXPECT_EQ(std::pair(active()->Caption(), active()->txtText01->Text()),
                      std::pair(own, QStringLiteral("\r\n\r\nSky,135,206,235,#87CEEB,skyblue mine")));
        }();
        std::fflush(nullptr);
        ::_exit(::testing::Test::HasFailure() ? 202 : 0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ::chmod(QFile::encodeName(program).constData(), 0755);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 201)
        GTEST_SKIP() << "cannot run as an ordinary user here";
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status), 0) << "a check in the child failed (above)";
    struct stat created {};
    ASSERT_EQ(::stat(QFile::encodeName(data + QStringLiteral("/tagwright-folio")).constData(), &created), 0);
    EXPECT_EQ(std::pair(created.st_mode & 0777, bytesOf(program + QStringLiteral("/MyShades.csv"))), std::pair(0700u, sample));
}
