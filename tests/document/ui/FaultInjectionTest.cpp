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
#include "shared/logic/ErrorReport.h"
#include "shell/logic/MessageTexts.h"

#include <QDirIterator>
#include <QMap>

#include <csignal>
#include <functional>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace folio;
using test::DocumentTest;
using test::settle;

namespace {

enum class WritePath { Save, SaveAsOverwrite, SaveAsAppend, NewFile, CloseYes };
enum class Fault { DiskFull, DiskFullInPlace, FileNotWritable, FolderNotWritable, HardLink, OwnedByOther,
                   TargetIsFolder, FolderMissing, ReadOnlyFile };
enum class Needs { Nothing, OrdinaryUser, Superuser };
constexpr int kSaved = 0;

const struct { WritePath path; const char* name; } kPaths[] = {
    {WritePath::Save, "&Save"}, {WritePath::SaveAsOverwrite, "Save As, overwrite"},
    {WritePath::SaveAsAppend, "Save As, append"}, {WritePath::NewFile, "Create a New File"},
    {WritePath::CloseYes, "closing question, Yes"},
};
const struct { Fault fault; const char* name; int number; Needs needs; } kFaults[] = {
    // `number` is the error every write path reports, or kSaved.
    {Fault::DiskFull, "disk full mid-write", err::DiskFull, Needs::Nothing},
    {Fault::DiskFullInPlace, "disk full writing in place", err::DiskFull, Needs::Nothing},
    {Fault::FileNotWritable, "no permission on the file", err::PermissionDenied, Needs::OrdinaryUser},
    {Fault::FolderNotWritable, "writable file, folder not", kSaved, Needs::OrdinaryUser},
    {Fault::HardLink, "file with a second name", kSaved, Needs::Nothing},
    {Fault::OwnedByOther, "file of another owner", kSaved, Needs::Superuser},
    {Fault::TargetIsFolder, "target is a folder", err::PathFileAccess, Needs::Nothing},
    {Fault::FolderMissing, "folder missing", err::PathNotFound, Needs::Nothing},
    {Fault::ReadOnlyFile, "read-only file", err::PermissionDenied, Needs::OrdinaryUser},
};

constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;
// Every file written here is larger than the size limit, so the limit strikes in the middle
// of the write, not before its first byte. The old file is one byte short of it: putting
// its bytes back always fits, and even a single line end added to it does not.
constexpr rlim_t kFileSizeLimit = 8192;
constexpr int kChildCannotDropRoot = 201;
constexpr int kChildCannotLimit = 202;
constexpr int kChildFailed = 203;

// What a window shows the user and the program counts: the same after a failed write as before.
QVariantList windowState(frmMdimenuform* main, const QList<ChildForm*>& open)
{
    frmTf* form = open.isEmpty() ? nullptr : qobject_cast<frmTf*>(open.constLast());
    QVariantList state{main->openWindowCount(), int(open.size()), form != nullptr};
    if (form)
        state << form->txtText01->Text() << form->TextChanged << form->FilePath << form->Caption();
    return state;
}

QByteArray oldFileBytes()
{
    QByteArray bytes;
    for (int i = 0; bytes.size() < qsizetype(kFileSizeLimit); ++i)
        bytes += "Old line " + QByteArray::number(i) + " \xA0\x81\xFF\r\n";
    return bytes.left(kFileSizeLimit - 1);
}

class FaultInjectionTest : public DocumentTest {
protected:
    // Everything under `root`: each entry's relative path with its permissions, owner and group,
    // then after a '|' its bytes, or "<folder>" for a folder.
    static QMap<QString, QByteArray> snapshot(const QString& root)
    {
        QMap<QString, QByteArray> map;
        QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo fi(it.next());
            map.insert(QDir(root).relativeFilePath(fi.filePath()),
                       QByteArray::number(int(fi.permissions()), 16) + ' ' + QByteArray::number(fi.ownerId()) + ':'
                           + QByteArray::number(fi.groupId()) + '|' + (fi.isDir() ? "<folder>" : bytesOf(fi.filePath())));
        }
        return map;
    }
    QByteArray native(const char* name) const { return QFile::encodeName(path(QLatin1String(name))); }
    static void chmodPath(const QByteArray& p, mode_t mode) { ASSERT_EQ(::chmod(p.constData(), mode), 0) << p.constData(); }

    // A fresh case folder holding the target file with the old bytes in it, reachable for
    // an ordinary user.
    void prepareCase()
    {
        removeCase();
        ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("case/sub"))));
        put(QStringLiteral("case/sub/doc.txt"), oldFileBytes());
        chmodPath(QFile::encodeName(folder.path()), 0755);
        chmodPath(native("case"), 0755);
        chmodPath(native("case/sub"), 0777);
        chmodPath(native("case/sub/doc.txt"), 0666);
    }
    void removeCase()
    {
        ::chmod(native("case/sub").constData(), 0755);
        QDir(path(QStringLiteral("case"))).removeRecursively();
    }

    // Puts the fault in place, once the document is open.
    void breakTarget(Fault fault)
    {
        const bool root = ::geteuid() == 0;
        const QByteArray target = native("case/sub/doc.txt");
        switch (fault) {
        case Fault::DiskFull:
            return;
        case Fault::DiskFullInPlace:
        case Fault::HardLink:
            ASSERT_EQ(::link(target.constData(), native("case/sub/other name.txt").constData()), 0);
            return;
        case Fault::OwnedByOther:
            ASSERT_EQ(::chown(target.constData(), kNobody, kNogroup), 0);
            return chmodPath(target, 0640);
        case Fault::FileNotWritable:
            // Someone else's file, readable by all. Without the superuser's rights to give
            // it away, our own file with no permission at all.
            return chmodPath(target, root ? 0644 : 0);
        case Fault::FolderNotWritable:
            // Someone else's folder, someone else's file that anyone may write.
            return chmodPath(native("case/sub"), 0555);
        case Fault::TargetIsFolder:
            ASSERT_TRUE(QFile::remove(path(QStringLiteral("case/sub/doc.txt"))));
            ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("case/sub/doc.txt"))));
            put(QStringLiteral("case/sub/doc.txt/inside.txt"), "inside\r\n");
            return;
        case Fault::FolderMissing:
            ASSERT_TRUE(QDir(path(QStringLiteral("case/sub"))).removeRecursively());
            return;
        case Fault::ReadOnlyFile:
            // The writer's own file, its write permission taken away; the folder still lets
            // anyone replace it.
            if (root) {
                ASSERT_EQ(::chown(target.constData(), kNobody, kNogroup), 0);
            }
            return chmodPath(target, 0444);
        }
    }

    // Runs `action` in a child process that meets `fault` and returns how the child ended: 0,
    // or kChildFailed when a check inside it failed (a box nobody expected, or one of the
    // action's own checks, which the child reports); its exit code when it could not set the
    // fault up; or minus the signal that ended it.
    static int runInChild(Fault fault, bool ordinaryUser, frmMdimenuform* main, const std::function<void()>& action)
    {
        std::fflush(nullptr);
        const pid_t pid = ::fork();
        if (pid == 0) {
            const rlimit limit{kFileSizeLimit, kFileSizeLimit};
            if ((fault == Fault::DiskFull || fault == Fault::DiskFullInPlace)
                && (std::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || ::setrlimit(RLIMIT_FSIZE, &limit) != 0))
                ::_exit(kChildCannotLimit);
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
    QString text;
    for (int i = 0; text.size() < 12000; ++i)
        text += QStringLiteral("Line %1 of a document that must survive every failed save\r\n").arg(i);
    const bool root = ::geteuid() == 0;
    int casesRun = 0;
    QStringList skipped;
    for (const auto& f : kFaults) {
        for (const auto& [path, pathName] : kPaths) {
            const QString name = QStringLiteral("%1 / %2").arg(pathName, f.name);
            SCOPED_TRACE(name.toStdString());
            if (f.needs == Needs::Superuser && !root) {
                skipped << name;
                continue;
            }
            prepareCase();
            dialogs.clear();
            const QString target = this->path(QStringLiteral("case/sub/doc.txt"));
            const bool saveAs = path == WritePath::SaveAsOverwrite || path == WritePath::SaveAsAppend;
            frmTf* form = path == WritePath::NewFile ? nullptr : saveAs ? blank() : open(target);
            if (form) {
                form->txtText01->setText(text);
                form->txtText01->setFocus();
                form->txtText01->moveCursor(QTextCursor::End);
                QTest::keyClicks(form->txtText01, QStringLiteral("typed"));
            }
            breakTarget(f.fault);
            const QVariantList state = windowState(main, children());
            auto expectedAfter = snapshot(folder.path());

            QStringList expected;
            if (saveAs)
                expected << document::kOverwriteOrAppendQuestion;
            if (path == WritePath::CloseYes)
                expected << document::kSaveQuestion;
            if (f.number != kSaved)
                expected << report(f.number);
            else if (path == WritePath::NewFile)
                expected << shell::newFileCreatedText();
            // The answers are queued inside the child, which uses them up and checks what the
            // user saw: the boxes, and after a failure the windows as they were.
            const int code = runInChild(f.fault, f.needs == Needs::OrdinaryUser, main, [&] {
                switch (path) {
                case WritePath::Save:
                    click(form->cmdSave);
                    break;
                case WritePath::SaveAsOverwrite:
                case WritePath::SaveAsAppend:
                    files.choose(target);
                    dialogs.answer(path == WritePath::SaveAsAppend ? MsgAnswer::No : MsgAnswer::Yes);
                    click(form->cmdSaveas);
                    break;
                case WritePath::NewFile:
                    files.choose(target);
                    main->mnuNew->trigger();
                    break;
                case WritePath::CloseYes:
                    dialogs.answer(MsgAnswer::Yes);
                    click(form->cmdClose);
                    break;
                }
                settle();
                EXPECT_EQ(dialogs.prompts().join(" | ").toStdString(), expected.join(" | ").toStdString());
                if (f.number != kSaved) {
                    EXPECT_EQ(windowState(main, children()), state);
                }
            });
            if (code == kChildCannotDropRoot) {
                skipped << name;
            } else {
                ++casesRun;
                EXPECT_EQ(code, 0) << "the child failed a check (above), crashed (minus the signal) or could not break";
                if (f.number == kSaved) {
                    // The file's contents changed, under each of its names; nothing else did, not
                    // its permission bits, owner or group, nor anything beside it. New File and
                    // appending keep the old bytes in front.
                    QByteArray written = path == WritePath::NewFile ? "\r\n" : text.toLatin1() + "typed\r\n";
                    if (path == WritePath::NewFile || path == WritePath::SaveAsAppend)
                        written.prepend(oldFileBytes());
                    for (const QString& n : {QStringLiteral("case/sub/doc.txt"), QStringLiteral("case/sub/other name.txt")})
                        if (expectedAfter.contains(n))
                            expectedAfter[n] = expectedAfter[n].left(expectedAfter[n].indexOf('|') + 1) + written;
                }
                const auto after = snapshot(folder.path());
                EXPECT_EQ(after.keys(), expectedAfter.keys());
                EXPECT_TRUE(after == expectedAfter) << "a file in the folder is not as it should be";
            }
            closeAllChildren();
            removeCase();
        }
    }
    std::printf("[ fault injection ] %d of %d cases (faults x write paths) run, %s\n", casesRun,
                int(std::size(kPaths) * std::size(kFaults)), HasFailure() ? "with failures" : "0 bytes lost");
    if (!skipped.isEmpty())
        GTEST_SKIP() << "cannot switch between the superuser and an ordinary user here; not run: "
                     << skipped.join(QStringLiteral(", ")).toStdString();
}
