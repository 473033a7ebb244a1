// File names that are not UTF-8 keep every byte on their way through the program, and a name
// as Qt's dialog shows it is traced back to the one file it stands for, or to none.
#include "platform/logic/NativeFileName.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QUrl>

#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace folio;

namespace {
QString chars(const std::u16string& units) { return QString::fromStdU16String(units); }
}  // namespace

// Each row: the bytes of a name, the text the program keeps, and what the user reads. Valid
// UTF-8 is itself; every other byte is one character of its own, also the bytes of a UTF-8
// surrogate, an overlong form, a code point beyond U+10FFFF and a sequence cut short, so that
// no two names ever meet.
TEST(NativeFileName, EveryByteStringComesBackExactlyAndShowsItsStrayBytes)
{
    const struct { QByteArray bytes; QString kept; QString shown; } rows[] = {
        {"caf\xE9.txt", chars({'c', 'a', 'f', 0xDCE9, '.', 't', 'x', 't'}), "caf\\xE9.txt"},
        {"caf\xC3\xA9", chars({'c', 'a', 'f', 0xE9}), chars({'c', 'a', 'f', 0xE9})},
        {"caf\xEF\xBF\xBD", chars({'c', 'a', 'f', 0xFFFD}), chars({'c', 'a', 'f', 0xFFFD})},
        {"\xED\xB3\xA9", chars({0xDCED, 0xDCB3, 0xDCA9}), "\\xED\\xB3\\xA9"},
        {"\xC0\xAF\xF4\x90\x80\x80", chars({0xDCC0, 0xDCAF, 0xDCF4, 0xDC90, 0xDC80, 0xDC80}),
         "\\xC0\\xAF\\xF4\\x90\\x80\\x80"},
        {"\xF0\x9F\x98\x80\x80", chars({0xD83D, 0xDE00, 0xDC80}), chars({0xD83D, 0xDE00}) + "\\x80"},
        {"a\xE2\x82", chars({'a', 0xDCE2, 0xDC82}), "a\\xE2\\x82"},
        {"\xFF/\xFE", chars({0xDCFF, '/', 0xDCFE}), "\\xFF/\\xFE"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.bytes.toHex().toStdString());
        EXPECT_EQ(fileNameFromNative(row.bytes), row.kept);
        EXPECT_EQ(nativeFileName(row.kept), row.bytes);
        EXPECT_EQ(displayFileName(row.kept), row.shown);
    }
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all += char(b);
    all += all.mid(0x7F);  // the high bytes once more, after one another
    EXPECT_EQ(nativeFileName(fileNameFromNative(all)), all);

    // A dropped or given file: URL carries the bytes percent-encoded.
    EXPECT_EQ(fileNameFromUrl(QUrl::fromEncoded("file:///tmp/caf%E9%20%C3%A9.txt")),
              chars({'/', 't', 'm', 'p', '/', 'c', 'a', 'f', 0xDCE9, ' ', 0xE9, '.', 't', 'x', 't'}));
}

// Qt shows "caf\xE9.txt" and "caf\xEF\xBF\xBD.txt" both as "caf\uFFFD.txt". Alone, either is
// found with its own bytes, also in a folder whose name is shown so; together they are two
// matches; a name shown so that nothing has is no match and stays as typed.
TEST(NativeFileName, NameShownByTheDialogStandsForTheOneFileThatFitsOrIsRefused)
{
    QTemporaryDir dir;
    const QByteArray root = QFile::encodeName(dir.path());  // plain ASCII
    ASSERT_EQ(::mkdir((root + "/d\xE9").constData(), 0700), 0);
    const auto make = [&](const QByteArray& name) { ::close(::open((root + "/" + name).constData(), O_CREAT | O_WRONLY, 0600)); };
    make("d\xE9/caf\xE9.txt");
    make("caf\xEF\xBF\xBD.txt");
    const QString r = dir.path() + QLatin1Char('/'), fffd = QStringLiteral("\uFFFD");
    const auto native = [](const ShownFileName& s) { return std::pair(nativeFileName(s.path), s.matches); };

    EXPECT_EQ(native(fileNameFromShown(r + "d" + fffd + "/caf" + fffd + ".txt")), std::pair(root + "/d\xE9/caf\xE9.txt", 1));
    EXPECT_EQ(native(fileNameFromShown(r + "caf" + fffd + ".txt")), std::pair(root + "/caf\xEF\xBF\xBD.txt", 1));
    make("caf\xE9.txt");
    EXPECT_EQ(native(fileNameFromShown(r + "caf" + fffd + ".txt")), std::pair(QByteArray(), 2));
    EXPECT_EQ(native(fileNameFromShown(r + "new" + fffd)), std::pair(root + "/new\xEF\xBF\xBD", 0));
    EXPECT_TRUE(fileExists(fileNameFromNative(root + "/d\xE9/caf\xE9.txt")));
    std::filesystem::remove_all(root.toStdString());  // Qt would not find these names to remove them
}
