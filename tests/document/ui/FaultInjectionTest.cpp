// Every way the program writes a file, against every way a write can fail or has to take
// another route: the disk filling up half-way (while a new copy replaces the file, and while
// the file itself is written), no permission on the file, a folder where the file should be,
// a folder that has gone, a read-only file; and files that must be written in place because
// their folder takes no new file or they have a second name, or that must keep an owner who
// is not the writer. Each case runs the window code in a child process that meets the fault
// for real (a file size limit, or an ordinary user where the tests run as the superuser),
// sends back what the user saw and what the windows hold, and leaves the test to compare the
// folder with how it was before, byte for byte: unchanged after a failure, and after a save
// changed only in the contents of the file written, under each of its names.
#include "DocumentTest.h"

#include "document/logic/SaveTexts.h"
#include "shell/logic/MessageTexts.h"

#include <QCryptographicHash>
#include <QDirIterator>

#include <chrono>
#include <csignal>
#include <functional>
#include <grp.h>
#include <map>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace folio;
using test::DocumentTest;
using test::settle;

namespace {

// Each write path: its button ("Create a &New File" is a menu entry instead), the question it
// asks first with the answer given, and whether the old bytes stay in front of what it writes.
const struct { const char* name; QPushButton* frmTf::*button; const QString* question; MsgAnswer answer;
               bool keepsOld; } kPaths[] = {
    {"&Save", &frmTf::cmdSave, nullptr, MsgAnswer::Ok, false},
    {"Save As, overwrite", &frmTf::cmdSaveas, &document::kOverwriteOrAppendQuestion, MsgAnswer::Yes, false},
    {"Save As, append", &frmTf::cmdSaveas, &document::kOverwriteOrAppendQuestion, MsgAnswer::No, true},
    {"Create a New File", nullptr, nullptr, MsgAnswer::Ok, true},
    {"closing question, Yes", &frmTf::cmdClose, &document::kSaveQuestion, MsgAnswer::Yes, false},
};
enum class Needs { Anyone, OrdinaryUser, Superuser };
constexpr int kSaved = 0;

constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;
// Every file written here is larger than the size limit, so the limit strikes in the middle
// of the write, not before its first byte. The old file is one byte short of it: putting
// its bytes back always fits, and even a single line end added to it does not.
constexpr rlim_t kFileSizeLimit = 8192;
const QByteArray kOldBytes = QByteArray("Old line \xA0\x81\xFF\r\n").repeated(1000).left(kFileSizeLimit - 1);
constexpr int kChildCannotDropRoot = 201;
constexpr int kChildFailed = 202;

class FaultInjectionTest : public DocumentTest {
protected:
    // What the windows show the user and the program counts: the same after a failed write.
    QVariantList windowState() const
    {
        QVariantList state{main->openWindowCount(), int(children().size())};
        if (const auto* form = children().isEmpty() ? nullptr : qobject_cast<frmTf*>(children().constLast()))
            state << form->txtText01->Text() << form->TextChanged << form->FilePath << form->Caption();
        return state;
    }

    // Bytes as a snapshot holds them: their number and a digest of them.
    static QByteArray contents(const QByteArray& bytes)
    {
        return QByteArray::number(bytes.size()) + " bytes "
               + QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
    }

    // Everything in the test's folder: each entry with its permissions, owner and group, then
    // after a '|' its contents, or "<folder>" for a folder.
    std::map<std::string, std::string> snapshot() const
    {
        std::map<std::string, std::string> map;
        QDirIterator it(folder.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo fi(it.next());
            map[fi.filePath().toStdString()] = (QByteArray::number(int(fi.permissions()), 16) + ' '
                + QByteArray::number(fi.ownerId()) + ':' + QByteArray::number(fi.groupId()) + '|'
                + (fi.isDir() ? "<folder>" : contents(bytesOf(fi.filePath())))).toStdString();
        }
        return map;
    }

    QByteArray native(const char* name) const { return QFile::encodeName(path(QLatin1String(name))); }
    // Sets the permission bits of `name` in the test's folder, after giving it to nobody if asked.
    void setMode(const char* name, mode_t mode, bool toNobody = false) const
    {
        const QByteArray p = native(name);
        ASSERT_TRUE(!toNobody || ::chown(p.constData(), kNobody, kNogroup) == 0) << name;
        ASSERT_EQ(::chmod(p.constData(), mode), 0) << name;
    }

    // A fresh folder "sub" holding the target file with the old bytes in it, reachable for an
    // ordinary user.
    void prepareCase()
    {
        ::chmod(native("sub").constData(), 0755);
        QDir(path(QStringLiteral("sub"))).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("sub"))));
        put(QStringLiteral("sub/doc.txt"), kOldBytes);
        setMode(".", 0755);
        setMode("sub", 0777);
        setMode("sub/doc.txt", 0666);
    }

    // Runs `action` in a child process (limited in file size to meet a full disk, or as an
    // ordinary user) and returns how the child ended: 0; kChildFailed when a check inside it
    // failed (a box nobody expected, or one of the action's own checks, which the child
    // reports) or the file size could not be limited; kChildCannotDropRoot; or minus the
    // signal that ended it.
    int runInChild(bool diskFull, bool ordinaryUser, const std::function<void()>& action)
    {
        std::fflush(nullptr);
        const pid_t pid = ::fork();
        if (pid == 0) {
            const rlimit limit{kFileSizeLimit, kFileSizeLimit};
            if (diskFull && (std::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || ::setrlimit(RLIMIT_FSIZE, &limit) != 0))
                ::_exit(kChildFailed);
            if (ordinaryUser && ::geteuid() == 0
                && (::setgroups(0, nullptr) != 0 || ::setgid(kNogroup) != 0 || ::setuid(kNobody) != 0 || ::geteuid() == 0))
                ::_exit(kChildCannotDropRoot);
            // Painting hands work to the GUI thread pool, whose threads did not come along
            // into this process: nothing here may paint.
            main->setUpdatesEnabled(false);
            const auto* result = ::testing::UnitTest::GetInstance()->current_test_info()->result();
            const int partsBefore = result->total_part_count();
            action();
            std::fflush(nullptr);
            ::_exit(result->total_part_count() == partsBefore ? 0 : kChildFailed);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    }
};

}  // namespace

TEST_F(FaultInjectionTest, EveryWritePathMeetingEveryFaultSavesOrReportsItAndLosesNothing)
{
    const QString text = QStringLiteral("A line of a document that must survive every failed save\r\n").repeated(200);
    const QString target = path(QStringLiteral("sub/doc.txt"));
    const bool root = ::geteuid() == 0;
    const auto secondName = [&] {
        ASSERT_EQ(::link(native("sub/doc.txt").constData(), native("sub/other name.txt").constData()), 0);
    };
    // Each fault, put in place once the document is open: the error every write path reports
    // (or kSaved), and who must write to meet it.
    const struct { const char* name; int number; Needs needs; std::function<void()> breakTarget; } faults[] = {
        {"disk full mid-write", err::DiskFull, Needs::Anyone, [] {}},
        {"disk full writing in place", err::DiskFull, Needs::Anyone, secondName},
        // Someone else's file, readable by all. Without the superuser's rights to give it away,
        // our own file with no permission at all.
        {"no permission on the file", err::PermissionDenied, Needs::OrdinaryUser,
         [&] { setMode("sub/doc.txt", root ? 0644 : 0); }},
        // Someone else's folder, someone else's file that anyone may write.
        {"writable file, folder not", kSaved, Needs::OrdinaryUser, [&] { setMode("sub", 0555); }},
        {"file with a second name", kSaved, Needs::Anyone, secondName},
        {"file of another owner", kSaved, Needs::Superuser, [&] { setMode("sub/doc.txt", 0640, true); }},
        {"target is a folder", err::PathFileAccess, Needs::Anyone, [&] {
             ASSERT_TRUE(QFile::remove(target));
             ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("sub/doc.txt/inside"))));
         }},
        {"folder missing", err::PathNotFound, Needs::Anyone,
         [&] { ASSERT_TRUE(QDir(path(QStringLiteral("sub"))).removeRecursively()); }},
        // The writer's own file, its write permission taken away; the folder still lets anyone
        // replace it.
        {"read-only file", err::PermissionDenied, Needs::OrdinaryUser, [&] { setMode("sub/doc.txt", 0444, root); }},
    };
    QStringList skipped;
    int casesRun = 0;
    for (const auto& f : faults) {
        for (const auto& p : kPaths) {
            const QString name = QStringLiteral("%1 / %2").arg(QLatin1String(p.name), QLatin1String(f.name));
            SCOPED_TRACE(name.toStdString());
            if (f.needs == Needs::Superuser && !root) {
                skipped << name;
                continue;
            }
            prepareCase();
            dialogs.clear();
            const bool saveAs = p.button == &frmTf::cmdSaveas;
            frmTf* form = !p.button ? nullptr : saveAs ? blank() : open(target);
            if (form) {
                form->txtText01->setText(text);
                form->txtText01->setFocus();
                form->txtText01->moveCaret(form->txtText01->TextLength(), false);
                QTest::keyClicks(form->txtText01, QStringLiteral("typed"));
            }
            f.breakTarget();
            const QVariantList state = windowState();
            auto expectedAfter = snapshot();
            QStringList expected;
            if (p.question)
                expected << *p.question;
            if (f.number != kSaved)
                expected << report(f.number);
            else if (!p.button)
                expected << shell::newFileCreatedText();
            // The answers are queued inside the child, which uses them up and checks what the
            // user saw: the boxes, and after a failure the windows as they were.
            const int code = runInChild(f.number == err::DiskFull, f.needs == Needs::OrdinaryUser, [&] {
                if (saveAs || !p.button)
                    files.choose(target);
                if (p.question)
                    dialogs.answer(p.answer);
                if (p.button)
                    click(form->*p.button);
                else
                    main->mnuNew->trigger();
                settle();
                EXPECT_EQ(dialogs.prompts().join(" | ").toStdString(), expected.join(" | ").toStdString());
                if (f.number != kSaved) {
                    EXPECT_EQ(windowState(), state);
                }
            });
            if (code == kChildCannotDropRoot) {
                skipped << name;
            } else {
                ++casesRun;
                EXPECT_EQ(code, 0) << "the child failed a check (above), crashed (minus the signal) or could not break";
                if (f.number == kSaved) {
                    // The file's contents changed, under each of its names; nothing else did, not
                    // its permission bits, owner or group, nor anything beside it.
                    QByteArray written = p.button ? text.toLatin1() + "typed\r\n" : "\r\n";
                    if (p.keepsOld)
                        written.prepend(kOldBytes);
                    for (const QString& n : {target, path(QStringLiteral("sub/other name.txt"))})
                        if (auto it = expectedAfter.find(n.toStdString()); it != expectedAfter.end())
                            it->second = it->second.substr(0, it->second.find('|') + 1) + contents(written).toStdString();
                }
                EXPECT_EQ(snapshot(), expectedAfter);
            }
            closeAllChildren();
        }
    }
    std::printf("[ fault injection ] %d of %d cases (faults x write paths) run, %s\n", casesRun,
                int(std::size(kPaths) * std::size(faults)), HasFailure() ? "with failures" : "0 bytes lost");
    if (!skipped.isEmpty())
        GTEST_SKIP() << "cannot switch between the superuser and an ordinary user here; not run: "
                     << skipped.join(QStringLiteral(", ")).toStdString();
}

// A save killed at any moment, from before its first byte to after the new file took the
// name, leaves the old file or the new one whole under the name, and nothing beside it.
TEST_F(FaultInjectionTest, ASaveKilledAtAnyMomentLeavesTheOldOrTheNewFileAndNothingElse)
{
    const QString target = path(QStringLiteral("sub/doc.txt"));
    const QString text = QStringLiteral("A new line \u00e9\r\n").repeated(1 << 20);
    prepareCase();
    const auto old = snapshot();
    const auto start = std::chrono::steady_clock::now();
    writeDocument(target, text, WriteMode::Overwrite);
    const auto whole = std::chrono::steady_clock::now() - start;
    const auto saved = snapshot();  // the other whole result
    for (int i = 0; i < 10; ++i) {
        prepareCase();
        const pid_t pid = ::fork();
        if (pid == 0) {
            writeDocument(target, text, WriteMode::Overwrite);
            ::_exit(0);
        }
        std::this_thread::sleep_for(whole * i / 9);
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        const auto now = snapshot();
        EXPECT_TRUE(now == old || now == saved) << "killed after " << i << "/9 of a save";
    }
}
