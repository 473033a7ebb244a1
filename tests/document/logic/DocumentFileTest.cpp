#include "document/logic/DocumentFile.h"
#include "document/logic/DocumentFormat.h"
#include "platform/logic/RuntimeError.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace folio;

namespace {

constexpr int kChildSucceeded = 0;
constexpr int kChildOtherException = 200;
constexpr int kChildCannotDropRoot = 201;

class DocumentFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    static void put(const QString& file, const QByteArray& bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << qPrintable(file);
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    static QByteArray get(const QString& file)
    {
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << qPrintable(file);
        return f.readAll();
    }

    static mode_t modeOf(const QString& file)
    {
        struct stat st {};
        EXPECT_EQ(::stat(QFile::encodeName(file).constData(), &st), 0);
        return st.st_mode & 07777;
    }

    static bool isSymLink(const QString& file)
    {
        struct stat st {};
        return ::lstat(QFile::encodeName(file).constData(), &st) == 0 && S_ISLNK(st.st_mode);
    }

    QStringList entries(const QString& folder = QString()) const
    {
        return QDir(folder.isEmpty() ? m_dir.path() : folder)
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    }

    // The error number `action` throws, or 0 when it does not throw.
    static int errorOf(const std::function<void()>& action)
    {
        try {
            action();
        } catch (const RuntimeError& e) {
            return e.number();
        }
        return 0;
    }

    // Runs `action` in a child process (prepared by `prepare`) and gives the error number it
    // threw, 0 when it succeeded.
    static int errorInChild(const std::function<bool()>& prepare, const std::function<void()>& action)
    {
        const pid_t pid = ::fork();
        if (pid == 0) {
            if (!prepare())
                ::_exit(kChildCannotDropRoot);
            int code = kChildSucceeded;
            try {
                action();
            } catch (const RuntimeError& e) {
                code = e.number() & 0xff;
            } catch (...) {
                code = kChildOtherException;
            }
            ::_exit(code);
        }
        int status = 0;
        EXPECT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status)) << "child ended by signal " << WTERMSIG(status);
        return WEXITSTATUS(status);
    }

    // Permission checks need an ordinary user: as root they run in a child that has dropped
    // to "nobody", so the folder must be reachable for everyone.
    void openUpForOrdinaryUser() { ASSERT_EQ(::chmod(QFile::encodeName(m_dir.path()).constData(), 0777), 0); }

    static bool becomeOrdinaryUser()
    {
        if (::geteuid() != 0)
            return true;
        return ::setgid(65534) == 0 && ::setuid(65534) == 0 && ::geteuid() != 0;
    }

    QTemporaryDir m_dir;
};

}  // namespace

TEST_F(DocumentFileTest, SaveWritesTextAndFinalLineEndAndLoadReadsItBack)
{
    const QString file = path("page.htm");
    writeDocument(file, u"\r\n<b>caf\u00E9</b>\r\n\u20AC 5", WriteMode::Overwrite);
    EXPECT_EQ(get(file), QByteArray("\r\n<b>caf\xE9</b>\r\n\x80 5\r\n"));
    // Loading adds the leading line break again: the known extra empty line on each round.
    EXPECT_EQ(readDocument(file), QStringLiteral("\r\n\r\n<b>caf\u00E9</b>\r\n\u20AC 5"));

    // Characters the code page cannot hold become '?' here; the caller asks before that.
    writeDocument(file, u"a\u4E2Db", WriteMode::Overwrite);
    EXPECT_EQ(get(file), QByteArray("a?b\r\n"));
}

TEST_F(DocumentFileTest, LoadingAFileFollowsTheReadingRuleForEveryByte)
{
    QByteArray bytes;
    for (int round = 0; round < 300; ++round)
        for (int b = 0; b < 256; ++b)
            bytes.append(static_cast<char>(b));
    const QString file = path("all.bin");
    put(file, bytes);
    EXPECT_EQ(readFileBytes(file), bytes);
    EXPECT_EQ(readDocument(file), docformat::textFromFileBytes(bytes));

    put(file, QByteArray());
    EXPECT_EQ(readDocument(file), QString());
    EXPECT_EQ(readFileBytes(file), QByteArray());

    // Open and save at once, through the disk.
    put(file, "a\nb\rc\r\n");
    writeDocument(file, readDocument(file), WriteMode::Overwrite);
    EXPECT_EQ(get(file), QByteArray("\r\na\nb\r\nc\r\n"));
}

TEST_F(DocumentFileTest, OverwriteReplacesEverythingAndCreatesMissingFiles)
{
    const QString file = path("notes.txt");
    writeDocument(file, u"first", WriteMode::Overwrite);
    EXPECT_EQ(get(file), QByteArray("first\r\n"));

    put(file, QByteArray(5000, 'z'));
    writeDocument(file, u"short", WriteMode::Overwrite);
    EXPECT_EQ(get(file), QByteArray("short\r\n"));
    EXPECT_EQ(entries(), QStringList{"notes.txt"});
}

TEST_F(DocumentFileTest, AppendAddsAfterTheOldBytesAndCreatesMissingFiles)
{
    const QString file = path("log.ini");
    writeDocument(file, u"\r\nnew", WriteMode::Append);
    EXPECT_EQ(get(file), QByteArray("\r\nnew\r\n"));

    put(file, QByteArray("old\x81 without line end", 21));
    writeDocument(file, u"\r\nmore", WriteMode::Append);
    EXPECT_EQ(get(file), QByteArray("old\x81 without line end\r\nmore\r\n", 29));

    writeDocument(file, u"", WriteMode::Append);
    EXPECT_EQ(get(file), QByteArray("old\x81 without line end\r\nmore\r\n\r\n", 31));
    EXPECT_EQ(entries(), QStringList{"log.ini"});
}

TEST_F(DocumentFileTest, PermissionBitsAreKept)
{
    const QString file = path("private.txt");
    for (const mode_t mode : {mode_t(0640), mode_t(0600), mode_t(0755), mode_t(0604)}) {
        put(file, "x");
        ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), mode), 0);
        writeDocument(file, u"overwritten", WriteMode::Overwrite);
        EXPECT_EQ(modeOf(file), mode) << std::oct << mode << " after overwrite";
        writeDocument(file, u"appended", WriteMode::Append);
        EXPECT_EQ(modeOf(file), mode) << std::oct << mode << " after append";
    }

    // A new file gets the ordinary mode of a new file, not a temporary file's 0600.
    const mode_t oldMask = ::umask(022);
    writeDocument(path("fresh.txt"), u"x", WriteMode::Overwrite);
    ::umask(oldMask);
    EXPECT_EQ(modeOf(path("fresh.txt")), mode_t(0644));
}

TEST_F(DocumentFileTest, ASymbolicLinkStaysALinkAndItsTargetIsWritten)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("real"));
    const QString target = path("real/target.txt");
    const QString link = path("link.txt");
    put(target, "old\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    ASSERT_EQ(::symlink("real/target.txt", QFile::encodeName(link).constData()), 0);  // relative

    writeDocument(link, u"new", WriteMode::Overwrite);
    EXPECT_TRUE(isSymLink(link));
    EXPECT_EQ(get(target), QByteArray("new\r\n"));
    EXPECT_EQ(modeOf(target), mode_t(0640));

    writeDocument(link, u"more", WriteMode::Append);
    EXPECT_TRUE(isSymLink(link));
    EXPECT_EQ(get(target), QByteArray("new\r\nmore\r\n"));
    EXPECT_EQ(readDocument(link), QStringLiteral("\r\nnew\r\nmore"));
    EXPECT_EQ(entries(), (QStringList{"link.txt", "real"}));
    EXPECT_EQ(entries(path("real")), QStringList{"target.txt"});

    // A link to a file not yet there creates that file and stays a link.
    const QString dangling = path("dangling.txt");
    ASSERT_EQ(::symlink("real/later.txt", QFile::encodeName(dangling).constData()), 0);
    writeDocument(dangling, u"born", WriteMode::Overwrite);
    EXPECT_TRUE(isSymLink(dangling));
    EXPECT_EQ(get(path("real/later.txt")), QByteArray("born\r\n"));
}

TEST_F(DocumentFileTest, UnusableTargetsGiveTheirErrorNumbersAndChangeNothing)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("folder"));
    put(path("plain.txt"), "keep");

    // A folder is no file: 75.
    EXPECT_EQ(errorOf([&] { writeDocument(path("folder"), u"x", WriteMode::Overwrite); }), err::PathFileAccess);
    EXPECT_EQ(errorOf([&] { writeDocument(path("folder"), u"x", WriteMode::Append); }), err::PathFileAccess);
    EXPECT_EQ(errorOf([&] { readDocument(path("folder")); }), err::PathFileAccess);

    // A missing folder, or a file used as a folder: 76.
    EXPECT_EQ(errorOf([&] { writeDocument(path("nowhere/new.txt"), u"x", WriteMode::Overwrite); }), err::PathNotFound);
    EXPECT_EQ(errorOf([&] { writeDocument(path("nowhere/new.txt"), u"x", WriteMode::Append); }), err::PathNotFound);
    EXPECT_EQ(errorOf([&] { writeDocument(path("plain.txt/new.txt"), u"x", WriteMode::Overwrite); }), err::PathNotFound);
    EXPECT_EQ(errorOf([&] { readDocument(path("nowhere/old.txt")); }), err::PathNotFound);

    // A missing file in an existing folder: 53.
    EXPECT_EQ(errorOf([&] { readDocument(path("missing.txt")); }), err::FileNotFound);
    EXPECT_EQ(errorOf([&] { readDocument(QString()); }), err::FileNotFound);

    EXPECT_EQ(get(path("plain.txt")), QByteArray("keep"));
    EXPECT_EQ(entries(), (QStringList{"folder", "plain.txt"}));
    EXPECT_TRUE(entries(path("folder")).isEmpty());
}

TEST_F(DocumentFileTest, DiskFullIs61AndLeavesTheOldFileWholeWithNoTemporaryFile)
{
    const QString file = path("big.txt");
    const QByteArray old = QByteArray(3000, 'o') + "\r\n";
    put(file, old);
    // A file size limit makes every write past 8 KB fail as a full disk would. Both a text
    // that fits a write buffer and one far larger must fail.
    const auto limitFileSize = [] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{8192, 8192};
        return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    };
    for (const qsizetype length : {qsizetype(10000), qsizetype(200000)}) {
        const QString text(length, QChar(u'n'));
        for (const WriteMode mode : {WriteMode::Overwrite, WriteMode::Append}) {
            const int number = errorInChild(limitFileSize, [&] { writeDocument(file, text, mode); });
            EXPECT_EQ(number, err::DiskFull)
                << length << (mode == WriteMode::Append ? " append" : " overwrite");
            EXPECT_EQ(get(file), old);
            EXPECT_EQ(entries(), QStringList{"big.txt"});
        }
    }

    // Under the limit the same child writes normally, so the failure above was the limit's.
    EXPECT_EQ(errorInChild(limitFileSize, [&] { writeDocument(file, u"small", WriteMode::Append); }),
              kChildSucceeded);
    EXPECT_EQ(get(file), old + "small\r\n");
}

TEST_F(DocumentFileTest, MissingPermissionIs70AndChangesNothing)
{
    openUpForOrdinaryUser();
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("locked"));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("open"));
    put(path("locked/inside.txt"), "locked file\r\n");
    put(path("open/readonly.txt"), "read-only file\r\n");
    put(path("open/secret.txt"), "secret\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(path("locked/inside.txt")).constData(), 0666), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path("locked")).constData(), 0555), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path("open")).constData(), 0777), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path("open/readonly.txt")).constData(), 0444), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path("open/secret.txt")).constData(), 0), 0);

    const struct { const char* what; std::function<void()> action; } cases[] = {
        {"new file in a folder without write permission",
         [&] { writeDocument(path("locked/new.txt"), u"x", WriteMode::Overwrite); }},
        {"writable file in a folder without write permission",
         [&] { writeDocument(path("locked/inside.txt"), u"x", WriteMode::Overwrite); }},
        {"append in a folder without write permission",
         [&] { writeDocument(path("locked/inside.txt"), u"x", WriteMode::Append); }},
        {"read-only file", [&] { writeDocument(path("open/readonly.txt"), u"x", WriteMode::Overwrite); }},
        {"append to a read-only file", [&] { writeDocument(path("open/readonly.txt"), u"x", WriteMode::Append); }},
        {"reading a file without read permission", [&] { readDocument(path("open/secret.txt")); }},
    };
    for (const auto& c : cases) {
        const int number = errorInChild(becomeOrdinaryUser, c.action);
        if (number == kChildCannotDropRoot)
            GTEST_SKIP() << "running as root and cannot switch to an ordinary user; permissions are not enforced";
        EXPECT_EQ(number, err::PermissionDenied) << c.what;
    }

    ::chmod(QFile::encodeName(path("locked")).constData(), 0755);
    EXPECT_EQ(get(path("locked/inside.txt")), QByteArray("locked file\r\n"));
    EXPECT_EQ(get(path("open/readonly.txt")), QByteArray("read-only file\r\n"));
    EXPECT_EQ(entries(path("locked")), QStringList{"inside.txt"});
    EXPECT_EQ(entries(path("open")), (QStringList{"readonly.txt", "secret.txt"}));
}
