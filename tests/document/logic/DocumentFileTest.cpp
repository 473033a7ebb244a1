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
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/un.h>
#include <unistd.h>

// The disk's answer to fdatasync: a test sets an error number to have it fail, as a failing
// disk does. The program's own calls reach this definition, not the C library's.
static int syncError = 0;
extern "C" int fdatasync(int fd)
{
    if (syncError != 0) {
        errno = syncError;
        return -1;
    }
    return int(::syscall(SYS_fdatasync, fd));
}

using namespace folio;
using docformat::Encoding;
using namespace Qt::StringLiterals;

namespace {

class DocumentFileTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    static QByteArray native(const QString& file) { return QFile::encodeName(file); }
    static QByteArray get(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static struct stat statOf(const QString& file)
    {
        struct stat st {};
        ::stat(native(file), &st);
        return st;
    }
    QStringList entries(const QString& folder = QString()) const
    {
        return QDir(folder.isEmpty() ? m_dir.path() : folder)
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    }

    QTemporaryDir m_dir;
};

}  // namespace

// The longest name the file system takes: no temporary name beside it can be longer.
TEST_F(DocumentFileTest, OverwriteAndAppendWriteTheTextWithOneFinalLineEndAndKeepTheModeAndLinks)
{
    const QString name = QString(255 - 4, QLatin1Char('n')) + QStringLiteral(".htm");
    const QString file = path(name);
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
    EXPECT_EQ(entries(), QStringList{name});  // no temporary file left

    // Old bytes without a final line end are kept as they are by an append.
    writeFileBytes(file, QByteArray("old\x81", 4), WriteMode::Overwrite);
    writeDocument(file, u"+", WriteMode::Append);
    EXPECT_EQ(get(file), QByteArray("old\x81+\r\n", 7));

    // The top of a bigger file: whole lines, or in one long line whole characters; the
    // encoding is the top's own.
    const Encoding w = Encoding::Windows1252;
    const struct { QByteArray bytes; qint64 wholeUpTo; QString text; Encoding encoding; bool whole; } tops[] = {
        {"ab\r\ncd\r\nef", 4, u"\r\nab\r\ncd"_s, w, false}, {"abcdefghij\x81", 0, u"\r\nabcdefgh"_s, w, false},
        {"ab\r\ncd\r\nef", 10, u"\r\nab\r\ncd\r\nef"_s, w, true},
        {"ab\rcd\r\nef", 0, u"\r\nab\r\ncd"_s, w, false},
        {"ab\xC3\xA9\xC3\xA9\xC3\xA9\xFF", 0, u"\r\nab\u00E9\u00E9"_s, Encoding::Utf8, false},
        {"\xEF\xBB\xBFxy\xE2\x82\xACz", 0, u"\r\nxy"_s, Encoding::Utf8WithMark, false},
    };
    for (const auto& t : tops) {
        writeFileBytes(file, t.bytes, WriteMode::Overwrite);
        const DocumentTop top = readDocumentTop(file, t.wholeUpTo, 8);
        EXPECT_EQ(std::tuple(top.text, top.encoding, top.whole, top.stamp), std::tuple(t.text, t.encoding, t.whole, fileStamp(file)));
    }

    // An overwrite puts a complete new file in place of the old one, except where the name
    // leaves no room for a temporary name beside it; an append adds in place. The sticky
    // bit is kept too.
    writeDocument(path("short.htm"), u"x", WriteMode::Overwrite);
    for (const QString& f : {file, path("short.htm")}) {
        ASSERT_EQ(::chmod(native(f).constData(), 01751), 0);
        for (const WriteMode how : {WriteMode::Overwrite, WriteMode::Append, WriteMode::Overwrite}) {
            const ino_t before = statOf(f).st_ino;
            writeDocument(f, u"x", how);
            EXPECT_EQ(statOf(f).st_mode & 07777, mode_t(01751)) << " after " << int(how);
            EXPECT_EQ(statOf(f).st_ino != before, how == WriteMode::Overwrite && f != file) << int(how);
        }
    }
    // A new file gets the ordinary mode of a new file, not a temporary file's 0600.
    const mode_t oldMask = ::umask(022);
    writeDocument(path("fresh.txt"), u"x", WriteMode::Overwrite);
    ::umask(oldMask);
    EXPECT_EQ(statOf(path("fresh.txt")).st_mode & 07777, mode_t(0644));

    // A symbolic link stays a link and its target is written, keeping the target's mode.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("real"));
    const QString target = path("real/target.txt"), link = path("link.txt"), dangling = path("dangling.txt");
    writeFileBytes(target, "old\r\n", WriteMode::Overwrite);
    ASSERT_EQ(::chmod(native(target).constData(), 0640), 0);
    ASSERT_EQ(::symlink("real/target.txt", native(link).constData()), 0);  // relative
    ASSERT_EQ(::symlink("real/later.txt", native(dangling).constData()), 0);

    writeDocument(link, u"new", WriteMode::Overwrite);
    writeDocument(link, u"more", WriteMode::Append);
    writeDocument(dangling, u"born", WriteMode::Overwrite);  // creates the file it names
    EXPECT_TRUE(QFileInfo(link).isSymLink() && QFileInfo(dangling).isSymLink());
    EXPECT_EQ(std::tuple(statOf(target).st_mode & 07777, get(target), get(path("real/later.txt"))),
              std::tuple(mode_t(0640), QByteArray("new\r\nmore\r\n"), QByteArray("born\r\n")));
    EXPECT_EQ(entries(), (QStringList{"dangling.txt", "fresh.txt", "link.txt", name, "real", "short.htm"}));
    EXPECT_EQ(entries(path("real")), (QStringList{"later.txt", "target.txt"}));
}

TEST_F(DocumentFileTest, UnusableTargetsGiveTheirErrorNumbersAndChangeNothing)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("folder"));
    writeFileBytes(path("plain.txt"), "keep", WriteMode::Overwrite);
    // Only regular files are documents: nothing waits for a pipe's writer or reads a device
    // without end, and nothing is written into one.
    ASSERT_EQ(::mkfifo(native(path("pipe")).constData(), 0644), 0);
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{AF_UNIX, {}};
    std::strncpy(address.sun_path, native(path("socket")).constData(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    // Larger than a document can hold, though it takes no room on the disk.
    constexpr qint64 kHuge = qint64(40) << 30;
    ASSERT_TRUE(QFile(path("huge.log")).open(QIODevice::WriteOnly) && QFile::resize(path("huge.log"), kHuge));
    const auto O = WriteMode::Overwrite, A = WriteMode::Append;
    const std::optional<WriteMode> R;  // read
    const int access = err::PathFileAccess, noPath = err::PathNotFound, noFile = err::FileNotFound;
    const struct { const char* name; std::optional<WriteMode> mode; int number; } cases[] = {
        {"folder", O, access}, {"folder", A, access}, {"folder", R, access}, {"nowhere/new.txt", O, noPath},
        {"nowhere/new.txt", A, noPath}, {"plain.txt/new.txt", O, noPath}, {"nowhere/old.txt", R, noPath},
        {"missing.txt", R, noFile}, {"", R, noFile}, {"pipe", R, access}, {"pipe", O, access},
        {"pipe", A, access}, {"socket", R, access}, {"socket", A, access}, {"/dev/zero", R, access},
        {"huge.log", R, err::OutOfMemory},
        // An append writes after the end of the file and never reads what is there.
        {"huge.log", A, 0},
        {"plain.txt", O, err::DeviceIO},  // the disk cannot keep the new contents
    };
    for (const auto& c : cases) {
        const QString p = *c.name == '/' || !*c.name ? QString::fromLatin1(c.name) : path(c.name);
        int number = 0;
        syncError = c.number == err::DeviceIO ? EIO : 0;
        try {
            c.mode ? writeDocument(p, u"x", *c.mode) : void(readDocument(p));
        } catch (const RuntimeError& e) {
            number = e.number();
        }
        EXPECT_EQ(number, c.number) << c.name << (c.mode ? c.mode == O ? " overwrite" : " append" : " read");
    }
    syncError = 0;
    ::close(sock);
    EXPECT_EQ(QFileInfo(path("huge.log")).size(), kHuge + 3);
    EXPECT_EQ(std::pair(get(path("plain.txt")), entries()), std::pair(QByteArray("keep"), QStringList{"folder", "huge.log", "pipe", "plain.txt", "socket"}));
    EXPECT_FALSE(QFileInfo(path("pipe")).isFile() || QFileInfo(path("socket")).isFile() || !entries(path("folder")).isEmpty());
}

// writeDocument encodes a long text a slice at a time as it writes; the file must still hold
// exactly the bytes of the whole text in either encoding, also where a surrogate pair or a
// character the code page lacks meets the edge of a slice or of a part, and after the old
// contents when appending (where a byte-order mark has no place, unless the file was empty
// or missing).
TEST_F(DocumentFileTest, ALongTextIsWrittenAsTheBytesOfTheWholeTextOrOnlyIfRepresentableNotAtAll)
{
    const QString file = path("long.html");

    QString text;
    // Each length of UTF-8 meets its edges: 1-2, 2-3 bytes, and either side of the surrogates.
    for (int i = 0; text.size() < 2600 * 1024; ++i)
        text += QStringLiteral("<p>line %1 caf\u00e9 \u20ac \u2018q\u2019 \u007f\u0080\u07ff\u0800\ud7ff\ue000\uffff</p>\r\n").arg(i);
    // Put a pair across every likely slice edge.
    for (qsizetype edge = 64 * 1024; edge < text.size(); edge += 64 * 1024)
        text.replace(edge - 1, 2, QStringLiteral("\U0001F600"));

    // The same text handed over in parts of growing sizes; none ends inside a pair (those lie
    // across multiples of 64 Ki), as the text box never parts one.
    std::vector<QStringView> parts;
    for (qsizetype at = 0, length = 1; at < text.size(); at += length, length = length * 3 + 1)
        parts.push_back(QStringView(text).sliced(at).first(std::min(length, text.size() - at)));

    for (const Encoding encoding : {Encoding::Windows1252, Encoding::Utf8WithMark}) {
        SCOPED_TRACE(int(encoding));
        writeDocument(file, text, WriteMode::Overwrite, encoding);
        // The bytes of the whole text at once (checked byte by byte in the format's own tests).
        const QByteArray whole = docformat::fileBytesFromText(text, encoding);
        EXPECT_EQ(readFileBytes(file), whole);

        writeDocument(file, parts, WriteMode::Overwrite, encoding);
        EXPECT_EQ(readFileBytes(file), whole);

        writeDocument(file, u"tail", WriteMode::Append, encoding);
        EXPECT_EQ(readFileBytes(file), whole + QByteArrayLiteral("tail\r\n"));
    }
    writeDocument(path("fresh.html"), u"tail", WriteMode::Append, Encoding::Utf8WithMark);
    EXPECT_EQ(readFileBytes(path("fresh.html")), QByteArrayLiteral("\xEF\xBB\xBFtail\r\n"));

    // The one-pass write gives up at a character the encoding lacks, even far into the text
    // (in a slice encoded after earlier ones were written), and leaves the old file and its
    // folder exactly as they were, also when appending (which collects the whole text first);
    // a text without one is written as writeDocument() writes it.
    writeFileBytes(file, "old\r\n", WriteMode::Overwrite);
    text = QString(3000 * 1024, QChar(u'\u00e9'));
    text[2500 * 1024] = QChar(u'\u2603');
    for (const WriteMode mode : {WriteMode::Overwrite, WriteMode::Append})
        EXPECT_FALSE(writeDocumentIfRepresentable(file, text, mode)) << int(mode);
    EXPECT_EQ(std::pair(readFileBytes(file), entries()), std::pair(QByteArrayLiteral("old\r\n"), QStringList{"fresh.html", "long.html"}));

    // In UTF-8 only a surrogate half without its partner is lost.
    EXPECT_TRUE(writeDocumentIfRepresentable(file, text, WriteMode::Overwrite, Encoding::Utf8));
    EXPECT_EQ(readFileBytes(file), docformat::fileBytesFromText(text, Encoding::Utf8));
    text[2500 * 1024] = QChar(0xDC00);
    EXPECT_FALSE(writeDocumentIfRepresentable(file, text, WriteMode::Overwrite, Encoding::Utf8));
    EXPECT_EQ(readFileBytes(file), docformat::fileBytesFromText(QString(text).replace(QChar(0xDC00), QChar(u'\u2603')),
                                                                Encoding::Utf8));

    writeFileBytes(file, "old\r\n", WriteMode::Overwrite);
    text[2500 * 1024] = QChar(u'\u20ac');
    EXPECT_TRUE(writeDocumentIfRepresentable(file, text, WriteMode::Append));
    EXPECT_EQ(readFileBytes(file), QByteArrayLiteral("old\r\n") + docformat::fileBytesFromText(text));
}
