#include "document/logic/DocumentFile.h"
#include "document/logic/DocumentFormat.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace folio;
using docformat::Encoding;

// writeDocument encodes a long text a slice at a time as it writes, the next slice while the
// last is written; the file must still hold exactly the bytes of the whole text in either
// encoding, also where a surrogate pair or a character the code page lacks meets the edge of
// a slice or of a part, and after the old contents when appending (where a byte-order mark
// has no place, unless the file was empty or missing).
TEST(DocumentWritePieces, ALongTextIsWrittenAsTheBytesOfTheWholeText)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("long.html"));

    QString text;
    for (int i = 0; text.size() < 2600 * 1024; ++i) {
        // Each length of UTF-8 meets its edges: 1-2, 2-3 bytes, and either side of the surrogates.
        text += QStringLiteral("<p>line %1 caf\u00e9 \u20ac \u2018q\u2019 \u007f\u0080\u07ff\u0800\ud7ff\ue000\uffff</p>\r\n").arg(i);
        if (i % 977 == 0)
            text += QStringLiteral("\U0001F600\u4e2d");
    }
    // Put a pair across every likely slice edge.
    for (qsizetype edge = 64 * 1024; edge < text.size(); edge += 64 * 1024)
        text.replace(edge - 1, 2, QStringLiteral("\U0001F600"));

    // The same text handed over in parts of every size, cut where no pair is parted.
    std::vector<QStringView> parts;
    for (qsizetype at = 0, length = 1; at < text.size(); length = length * 3 + 1) {
        qsizetype end = std::min(text.size(), at + length);
        if (end < text.size() && text[end - 1].isHighSurrogate())
            ++end;
        parts.push_back(QStringView(text).sliced(at, end - at));
        at = end;
    }
    ASSERT_GT(parts.size(), 5u);

    for (const Encoding encoding : {Encoding::Windows1252, Encoding::Utf8WithMark}) {
        SCOPED_TRACE(int(encoding));
        writeDocument(path, text, WriteMode::Overwrite, encoding);
        // UTF-8 as Qt's own encoder gives it; the code page's bytes are checked byte by byte elsewhere.
        const QByteArray whole = encoding == Encoding::Utf8WithMark
            ? QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8() + QByteArrayLiteral("\r\n")
            : docformat::fileBytesFromText(text, encoding);
        EXPECT_EQ(readFileBytes(path), whole);

        writeDocument(path, parts, WriteMode::Overwrite, encoding);
        EXPECT_EQ(readFileBytes(path), whole);

        writeDocument(path, u"tail", WriteMode::Append, encoding);
        EXPECT_EQ(readFileBytes(path), whole + QByteArrayLiteral("tail\r\n"));
    }
    const QString fresh = dir.filePath(QStringLiteral("fresh.html"));
    writeDocument(fresh, u"tail", WriteMode::Append, Encoding::Utf8WithMark);
    EXPECT_EQ(readFileBytes(fresh), QByteArrayLiteral("\xEF\xBB\xBFtail\r\n"));
}

// The one-pass write gives up at a character the encoding lacks, even far into the text
// (in a slice encoded while an earlier one is written), and leaves the old file and its
// folder exactly as they were; a text without one is written as writeDocument() writes it.
TEST(DocumentWritePieces, WritingOnlyIfRepresentableLeavesEverythingAsItWasAtALostCharacter)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("doc.html"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old\r\n") == 5);
    old.close();

    QString text(3000 * 1024, QChar(u'\u00e9'));
    text[2500 * 1024] = QChar(u'\u2603');
    EXPECT_FALSE(writeDocumentIfRepresentable(path, text, WriteMode::Overwrite));
    EXPECT_EQ(readFileBytes(path), QByteArrayLiteral("old\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("doc.html")});

    // In UTF-8 only a surrogate half without its partner is lost.
    EXPECT_TRUE(writeDocumentIfRepresentable(path, text, WriteMode::Overwrite, Encoding::Utf8));
    EXPECT_EQ(readFileBytes(path), docformat::fileBytesFromText(text, Encoding::Utf8));
    text[2500 * 1024] = QChar(0xDC00);
    EXPECT_FALSE(writeDocumentIfRepresentable(path, text, WriteMode::Overwrite, Encoding::Utf8));
    EXPECT_EQ(readFileBytes(path), docformat::fileBytesFromText(QString(text).replace(QChar(0xDC00), QChar(u'\u2603')),
                                                                Encoding::Utf8));

    writeFileBytes(path, "old\r\n", WriteMode::Overwrite);
    text[2500 * 1024] = QChar(u'\u20ac');
    EXPECT_TRUE(writeDocumentIfRepresentable(path, text, WriteMode::Append));
    EXPECT_EQ(readFileBytes(path), QByteArrayLiteral("old\r\n") + docformat::fileBytesFromText(text));
}
