// The Windows-1252 code page both ways, against a table written out independently.
//
//  * bytes: decode gives one character per byte, the table's; encode(decode(B)) == B.
//  * text of code-page characters: decode(encode(T)) == T, nothing is unrepresentable.
//  * any text: encode writes the table's byte or '?' (a surrogate pair as one '?');
//    findUnrepresentable counts exactly the characters written as '?' that were not '?'
//    themselves, and lists the first five of them.
// The *Into variants write into exactly sized buffers, so a write past the room they were
// promised is caught.
#include "platform/logic/CodePage.h"

#include "FuzzSupport.h"

#include <vector>

using namespace fuzzsupport;
namespace cp = folio::cp1252;

namespace {

void checkBytes(QByteArrayView bytes)
{
    const QString text = cp::decode(bytes);
    const QString want = cp1252Decode(bytes);
    FUZZ_CHECK(text == want, QStringLiteral("bytes %1\n decoded %2\n want %3").arg(show(bytes), show(text), show(want)));

    std::vector<QChar> room(std::size_t(bytes.size()));
    cp::decodeInto(bytes, room.data());
    FUZZ_CHECK(QStringView(room.data(), qsizetype(room.size())) == want,
               QStringLiteral("decodeInto, bytes %1").arg(show(bytes)));

    for (char b : bytes) {
        const auto u = static_cast<std::uint8_t>(b);
        FUZZ_CHECK(cp::toChar(u).unicode() == cp1252Char(u), QStringLiteral("toChar(%1)").arg(u));
        const auto back = cp::toByte(cp::toChar(u));
        FUZZ_CHECK(back && *back == u, QStringLiteral("toByte(toChar(%1))").arg(u));
    }

    const QByteArray again = cp::encode(text);
    FUZZ_CHECK(again == bytes, QStringLiteral("bytes %1\n re-encoded %2").arg(show(bytes), show(again)));
    FUZZ_CHECK(cp::findUnrepresentable(text).count == 0, QStringLiteral("bytes %1").arg(show(bytes)));
}

void checkText(QStringView text, bool allRepresentable)
{
    qsizetype replaced = 0;
    const QByteArray want = cp1252Encode(text, &replaced);
    const QByteArray bytes = cp::encode(text);
    FUZZ_CHECK(bytes == want, QStringLiteral("text %1\n encoded %2\n want %3").arg(show(text), show(bytes), show(want)));

    std::vector<char> room(std::size_t(text.size()));
    const qsizetype written = cp::encodeInto(text, room.data());
    FUZZ_CHECK(QByteArrayView(room.data(), written) == want, QStringLiteral("encodeInto, text %1").arg(show(text)));

    for (QChar c : text) {
        const auto mine = cp1252Byte(c.unicode());
        const auto theirs = cp::toByte(c);
        FUZZ_CHECK(mine == theirs, QStringLiteral("toByte(U+%1)").arg(unsigned(c.unicode()), 4, 16, QLatin1Char('0')));
    }

    const cp::Unrepresentable report = cp::findUnrepresentable(text);
    const qsizetype questionsIn = text.count(QLatin1Char('?'));
    const qsizetype questionsOut = bytes.count('?');
    FUZZ_CHECK(report.count == questionsOut - questionsIn,
               QStringLiteral("text %1\n count %2, '?' in %3, out %4").arg(show(text)).arg(report.count).arg(questionsIn).arg(questionsOut));
    FUZZ_CHECK(report.count == replaced, QStringLiteral("text %1\n count %2, want %3").arg(show(text)).arg(report.count).arg(replaced));

    // The first five unrepresentable characters in text order, a surrogate pair whole.
    QString firstFew;
    qsizetype listed = 0;
    for (qsizetype i = 0; i < text.size() && listed < 5; ++i) {
        const char16_t c = text[i].unicode();
        if (cp1252Byte(c))
            continue;
        ++listed;
        firstFew += QChar(c);
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode()))
            firstFew += text[++i];
    }
    FUZZ_CHECK(report.firstFew == firstFew,
               QStringLiteral("text %1\n firstFew %2\n want %3").arg(show(text), show(report.firstFew), show(firstFew)));

    if (allRepresentable) {
        FUZZ_CHECK(report.count == 0, QStringLiteral("text %1").arg(show(text)));
        const QString back = cp::decode(bytes);
        FUZZ_CHECK(back == text, QStringLiteral("text %1\n round trip %2").arg(show(text), show(back)));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The input as bytes.
    checkBytes(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));

    // The input as UTF-16 units: any text at all.
    std::vector<char16_t> units(size / 2);
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = char16_t(data[2 * i] | (data[2 * i + 1] << 8));
    const ExactText anyText{units};
    checkText(anyText.view(), false);

    // The input as text made only of code-page characters: each unit picks one of the 256.
    std::vector<char16_t> representable(units.size());
    for (std::size_t i = 0; i < units.size(); ++i)
        representable[i] = cp1252Char(std::uint8_t(units[i] % 256));
    const ExactText cpText{std::move(representable)};
    checkText(cpText.view(), true);

    // A mix that favours the hard cases: the C1 range, the characters of 0x80-0x9F, '?',
    // lone and paired surrogates, next to plain ASCII runs that take the fast path.
    static constexpr char16_t picks[] = {
        u'a', u'?', 0x0080, 0x0081, 0x009F, 0x00A0, 0x00FF, 0x0100, 0x20AC, 0x0178,
        0x2122, 0xD83D, 0xDE00, 0xDC00, 0xD800, 0xFFFF,
    };
    std::vector<char16_t> mixed;
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t b = data[i];
        if (b & 0x80) {
            mixed.push_back(picks[b & 0x0F]);
        } else {
            for (int k = 0; k < (b & 0x0F); ++k)  // runs of plain text
                mixed.push_back(char16_t(u'A' + (b >> 4)));
        }
    }
    const ExactText mixedText{std::move(mixed)};
    checkText(mixedText.view(), false);
    return 0;
}
