#include "platform/logic/CodePage.h"

#include <gtest/gtest.h>

using namespace folio;

namespace {

// What the code page gives for one character, looked up on its own.
char expectedByte(QChar c)
{
    const auto b = cp1252::toByte(c);
    return b ? static_cast<char>(*b) : '?';
}

}  // namespace

// The bulk paths take sixteen characters at a time: a character that is not its own byte
// value (a C1 control, a mapped one like the euro sign, one the code page lacks, a
// surrogate pair) must be found at every place in a block, in the tail and across blocks.
TEST(CodePage, OddCharactersAtEveryPlaceOfABlockEncodeAndCountAsOneByOne)
{
    const QString odd[] = {QStringLiteral("\u20ac"), QStringLiteral("\u0081"), QStringLiteral("\u0085"),
                           QStringLiteral("\u4e2d"), QStringLiteral("\U0001F600")};
    for (const QString& special : odd) {
        for (int at = 0; at < 40; ++at) {
            QString text(at, QChar(u'a'));
            text += special;
            text += QString(37, QChar(u'\u00e9'));
            QByteArray expected;
            qsizetype lost = 0;
            for (qsizetype i = 0; i < text.size(); ++i) {
                if (text.at(i).isHighSurrogate()) {
                    expected.append('?');
                    ++lost;
                    ++i;
                    continue;
                }
                expected.append(expectedByte(text.at(i)));
                lost += cp1252::toByte(text.at(i)) ? 0 : 1;
            }
            EXPECT_EQ(cp1252::encode(text), expected) << "at " << at;
            const cp1252::Unrepresentable found = cp1252::findUnrepresentable(text);
            EXPECT_EQ(found.count, lost) << "at " << at;
            EXPECT_EQ(found.firstFew, lost ? special : QString()) << "at " << at;
        }
    }
}
