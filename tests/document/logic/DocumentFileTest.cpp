// Reading and writing files: round trips, kept permissions, symbolic links and the error
// numbers of unusable targets. A full disk and missing permissions are met for real, on every
// write path, by tests/document/ui/FaultInjectionTest.cpp.
#include "document/logic/DocumentFile.h"
#include "document/logic/DocumentFormat.h"
#include "platform/logic/RuntimeError.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstring>
#include <functional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace folio;

namespace {

class DocumentFileTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    static QByteArray native(const QString& file) { return QFile::encodeName(file); }

    static void put(const QString& file, const QByteArray& bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size());
    }
    static QByteArray get(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static mode_t modeOf(const QString& file)
    {
        struct stat st {};
        return ::stat(native(file).constData(), &st) == 0 ? st.st_mode & 07777 : mode_t(-1);
    }
    static bool isSymLink(const QString& file)
    {
        struct stat st {};
        return ::lstat(native(file).constData(), &st) == 0 && S_ISLNK(st.st_mode);
    }
    QStringList entries(const QString& folder = QString()) const
    {
        return QDir(folder.isEmpty() ? m_dir.path() : folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    }

    // The error number `action` throws, 0 when it does not throw.
    static int errorOf(const std::function<void()>& action)
    {
        try {
            action();
        } catch (const RuntimeError& e) {
            return e.number();
        }
        return 0;
    }

    QTemporaryDir m_dir;
};

}  // namespace

TEST_F(DocumentFileTest, OverwriteAndAppendWriteTheTextWithOneFinalLineEndAndLoadReadsItBack)
{
    const QString file = path("page.htm");
    const struct { QStringView text; WriteMode mode; QByteArray bytes; } steps[] = {
        {u"first", WriteMode::Append, "first\r\n"},  // both modes create a missing file
        {u"\r\n<b>caf\u00E9</b>\r\n\u20AC 5", WriteMode::Overwrite, "\r\n<b>caf\xE9</b>\r\n\x80 5\r\n"},
        {u"\r\nmore", WriteMode::Append, "\r\n<b>caf\xE9</b>\r\n\x80 5\r\n\r\nmore\r\n"},
        {u"a\u4E2Db", WriteMode::Overwrite, "a?b\r\n"},  // the caller asks before this loss
        {u"", WriteMode::Append, "a?b\r\n\r\n"},
    };
    for (const auto& s : steps) {
        writeDocument(file, s.text, s.mode);
        EXPECT_EQ(get(file), s.bytes) << qPrintable(s.text.toString());
    }
    writeDocument(path("new.txt"), u"x", WriteMode::Overwrite);
    EXPECT_EQ(entries(), (QStringList{"new.txt", "page.htm"}));  // no temporary file left

    // Old bytes without a final line end are kept as they are by an append.
    put(file, QByteArray("old\x81", 4));
    writeDocument(file, u"+", WriteMode::Append);
    EXPECT_EQ(get(file), QByteArray("old\x81+\r\n", 7));

    // Loading follows the reading rule for every byte, whatever the file's size.
    QByteArray bytes;
    for (int round = 0; round < 300; ++round)
        for (int b = 0; b < 256; ++b)
            bytes.append(static_cast<char>(b));
    put(file, bytes);
    EXPECT_EQ(readFileBytes(file), bytes);
    EXPECT_EQ(readDocument(file), docformat::textFromFileBytes(bytes));
    put(file, QByteArray());
    EXPECT_EQ(readDocument(file), QString());
}

TEST_F(DocumentFileTest, PermissionBitsAreKept)
{
    const QString file = path("private.txt");
    for (const mode_t mode : {mode_t(0640), mode_t(0755)}) {
        put(file, "x");
        ASSERT_EQ(::chmod(native(file).constData(), mode), 0);
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
    ASSERT_EQ(::chmod(native(target).constData(), 0640), 0);
    ASSERT_EQ(::symlink("real/target.txt", native(link).constData()), 0);  // relative

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
    ASSERT_EQ(::symlink("real/later.txt", native(dangling).constData()), 0);
    writeDocument(dangling, u"born", WriteMode::Overwrite);
    EXPECT_TRUE(isSymLink(dangling));
    EXPECT_EQ(get(path("real/later.txt")), QByteArray("born\r\n"));
}

TEST_F(DocumentFileTest, EveryNameTheFileSystemTakesCanBeWritten)
{
    const QString file = path(QString(255 - 4, QLatin1Char('n')) + QStringLiteral(".txt"));
    writeDocument(file, u"one", WriteMode::Overwrite);
    writeDocument(file, u"two", WriteMode::Overwrite);
    writeDocument(file, u"three", WriteMode::Append);
    EXPECT_EQ(get(file), QByteArray("two\r\nthree\r\n"));
    EXPECT_EQ(entries(), QStringList{QFileInfo(file).fileName()});  // no temporary file left
}

TEST_F(DocumentFileTest, UnusableTargetsGiveTheirErrorNumbersAndChangeNothing)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("folder"));
    put(path("plain.txt"), "keep");
    // Only regular files are documents: nothing waits for a pipe's writer or reads a device
    // without end, and nothing is written into one.
    ASSERT_EQ(::mkfifo(native(path("pipe")).constData(), 0644), 0);
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray sockPath = native(path("socket"));
    ASSERT_LT(sockPath.size(), qsizetype(sizeof address.sun_path));
    std::memcpy(address.sun_path, sockPath.constData(), size_t(sockPath.size()));
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    // Larger than a document can hold, though it takes no room on the disk.
    constexpr qint64 kHuge = qint64(40) << 30;
    {
        QFile huge(path("huge.log"));
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(kHuge));
    }

    const auto write = [&](const char* name, WriteMode mode) {
        return [=, this] { writeDocument(path(name), u"x", mode); };
    };
    const auto read = [&](const char* name) { return [=, this] { readDocument(name ? path(name) : QString()); }; };
    const struct { std::function<void()> action; int number; const char* what; } cases[] = {
        {write("folder", WriteMode::Overwrite), err::PathFileAccess, "a folder is no file"},
        {write("folder", WriteMode::Append), err::PathFileAccess, "append to a folder"},
        {read("folder"), err::PathFileAccess, "read a folder"},
        {write("nowhere/new.txt", WriteMode::Overwrite), err::PathNotFound, "missing folder"},
        {write("nowhere/new.txt", WriteMode::Append), err::PathNotFound, "append in a missing folder"},
        {write("plain.txt/new.txt", WriteMode::Overwrite), err::PathNotFound, "a file used as a folder"},
        {read("nowhere/old.txt"), err::PathNotFound, "read in a missing folder"},
        {read("missing.txt"), err::FileNotFound, "missing file"},
        {read(nullptr), err::FileNotFound, "no name"},
        {read("pipe"), err::PathFileAccess, "read a named pipe"},
        {write("pipe", WriteMode::Overwrite), err::PathFileAccess, "overwrite a named pipe"},
        {write("pipe", WriteMode::Append), err::PathFileAccess, "append to a named pipe"},
        {read("socket"), err::PathFileAccess, "read a socket"},
        {write("socket", WriteMode::Append), err::PathFileAccess, "append to a socket"},
        {[] { readDocument(QStringLiteral("/dev/zero")); }, err::PathFileAccess, "read a device"},
        {read("huge.log"), err::OutOfMemory, "read a file too large"},
        // An append writes after the end of the file and never reads what is there.
        {write("huge.log", WriteMode::Append), 0, "append to a file too large to read"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(errorOf(c.action), c.number) << c.what;
    ::close(sock);
    EXPECT_EQ(QFileInfo(path("huge.log")).size(), kHuge + 3);
    EXPECT_EQ(get(path("plain.txt")), QByteArray("keep"));
    EXPECT_EQ(entries(), (QStringList{"folder", "huge.log", "pipe", "plain.txt", "socket"}));
    struct stat pipeSt {}, sockSt {};
    EXPECT_TRUE(::lstat(native(path("pipe")).constData(), &pipeSt) == 0 && S_ISFIFO(pipeSt.st_mode));
    EXPECT_TRUE(::lstat(native(path("socket")).constData(), &sockSt) == 0 && S_ISSOCK(sockSt.st_mode));
    EXPECT_TRUE(entries(path("folder")).isEmpty());
}
