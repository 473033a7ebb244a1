#include "document/logic/DocumentFile.h"
#include "document/logic/DocumentFormat.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace folio;

// writeDocument encodes a long text a piece at a time as it writes; the file must still
// hold exactly the bytes of the whole text, also where a surrogate pair or a character the
// code page lacks meets the edge of a piece, and after the old contents when appending.
TEST(DocumentWritePieces, ALongTextIsWrittenAsTheBytesOfTheWholeText)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("long.html"));

    QString text;
    for (int i = 0; text.size() < 900 * 1024; ++i) {
        text += QStringLiteral("<p>line %1 caf\u00e9 \u20ac \u2018q\u2019</p>\r\n").arg(i);
        if (i % 977 == 0)
            text += QStringLiteral("\U0001F600\u4e2d");
    }
    // Put a pair across every likely piece edge.
    for (qsizetype edge = 64 * 1024; edge < text.size(); edge += 64 * 1024)
        text.replace(edge - 1, 2, QStringLiteral("\U0001F600"));

    writeDocument(path, text, WriteMode::Overwrite);
    const QByteArray whole = docformat::fileBytesFromText(text);
    EXPECT_EQ(readFileBytes(path), whole);

    writeDocument(path, u"tail", WriteMode::Append);
    EXPECT_EQ(readFileBytes(path), whole + QByteArrayLiteral("tail\r\n"));
}
