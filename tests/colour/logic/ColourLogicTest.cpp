// The colour tool's logic: the ASCII number rules, the lookup and the steps of the continuous
// loop; the colour picker's conversions and the texts of its change procedure.
#include "colour/logic/AsciiRules.h"
#include "colour/logic/ColourModel.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cmath>

using namespace folio;
using namespace folio::ascii;
using namespace folio::colour;

namespace {

std::string show(QStringView s) { return s.toString().toStdString(); }

struct Ref {
    bool number = false, overflow = false, underflow = false;  // underflow: 0 is also right
    double value = 0;
    bool matches(double got) const { return got == value || (underflow && got == 0); }
};

// The reading of a whole text without blanks, by a pattern of the number forms, strtod for
// decimal values and a plain accumulator for &H and &O (16-bit signed up to &HFFFF, 32-bit
// signed above, too large beyond 32 bits).
Ref refRead(QStringView s)
{
    static const QRegularExpression form(QStringLiteral(
        "\\A(?:[+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?|&[Hh][0-9A-Fa-f]+|&[Oo][0-7]+)\\z"));
    Ref r;
    if (!form.match(s).hasMatch())
        return r;
    r.number = true;
    if (s[0] == u'&') {
        bool ok = false;
        const qulonglong m = s.sliced(2).toString().toULongLong(&ok, s[1].toUpper() == u'H' ? 16 : 8);
        r.overflow = !ok || m > 0xFFFFFFFFull;
        r.value = m <= 0xFFFF ? double(std::int16_t(m)) : double(std::int32_t(std::uint32_t(m)));
        return r;
    }
    errno = 0;
    r.value = std::strtod(s.toLatin1().constData(), nullptr);
    r.overflow = std::isinf(r.value);
    r.underflow = errno == ERANGE && !r.overflow;
    return r;
}

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

}  // namespace

// The lookup in both modes: the character of the truncated number from 0 to 255, or the code
// of a character of the code page (code -1: refused).
TEST(Lookup, AnswersInBothModesOrRefuses)
{
    const auto N = LookupMode::NumberToCharacter, C = LookupMode::CharacterToNumber;
    const struct { LookupMode mode; const char16_t* text; int code; } table[] = {
        {N, u"1.9", 1}, {N, u"-.5", 0}, {N, u"-1", -1}, {N, u"&HFFFF", -1}, {N, u"255", 0xFF}, {C, u"A", 65},
        {N, u"128", 0x20AC}, {C, u"\u00FF", 255}, {C, u"", -1}, {C, u"\u0416", -1}, {C, u"\U0001F600", -1}};
    for (const auto& c : table) {
        const ToolAnswer a = lookupAnswer(c.mode, c.text);
        const QString answer = c.mode == N ? QString(QChar(char16_t(c.code))) : QString::number(c.code);
        const QStringView refusal = c.mode == N ? kNumberRefusal : kCharacterRefusal;
        EXPECT_EQ(a.answer, c.code < 0 ? QString() : answer) << show(c.text);
        EXPECT_EQ(a.refusal, c.code < 0 ? refusal.toString() : QString()) << show(c.text);
    }
}

// Whole numbers, leading numbers and the loop's steps of random texts, mostly made of what
// numbers are made of, against the reference; blanks around a number (and, for the leading
// number, anywhere) do not count.
TEST(NumberRules, AgreeWithAReferenceOnRandomTexts)
{
    static constexpr char16_t alphabet[] = {
        u'0', u'1', u'2', u'5', u'7', u'8', u'9', u'.', u'+', u'-', u'e', u'E', u'&', u'H', u'h', u'O', u'o', u'F',
        u'a', u'f', u'g', u' ', u'\t', u'\r', u'\n', u'0', u'0', u'9', u'1', u'd', u'x', 0x00A0, 0x0661, 0xFF11, 0x2212, u','};
    QRandomGenerator rng(18);
    for (int round = 0; round < 30000; ++round) {
        QString text;
        for (int n = rng.bounded(round % 10 == 0 ? 400 : 12); n > 0; --n)
            text += QChar(alphabet[rng.bounded(int(std::size(alphabet)))]);
        SCOPED_TRACE(show(text));
        static const QRegularExpression blanksAround(QStringLiteral("^[ \t\r\n]+|[ \t\r\n]+$"));
        const Ref whole = refRead(QString(text).remove(blanksAround));
        const std::optional<double> number = numberOf(text);
        ASSERT_EQ(number.has_value(), whole.number && !whole.overflow);
        ASSERT_TRUE(!number || whole.matches(*number)) << *number << " " << whole.value;

        QString compact = text;
        compact.removeIf(isBlank);
        Ref lead;
        for (qsizetype length = compact.size(); length > 0 && !lead.number; --length)
            lead = refRead(QStringView(compact).first(length));
        const std::optional<double> got = leadingNumber(text);
        ASSERT_EQ(got.has_value(), !lead.overflow);
        ASSERT_TRUE(!got || lead.matches(*got)) << *got << " " << lead.value;

        for (const LoopDirection direction : {LoopDirection::Previous, LoopDirection::Next}) {
            const std::optional<QString> stepped = loopStepText(text, direction);
            ASSERT_TRUE(got || !stepped);
            if (!stepped || !(std::floor(*got) == *got && std::fabs(*got) < 1e14))
                continue;
            const bool next = direction == LoopDirection::Next;
            const double want = *got + (next ? 1 : -1);  // only 255 + 1 and 0 - 1 wrap
            ASSERT_EQ(numberOf(*stepped), next && want == 256 ? 0 : !next && want == -1 ? 255 : want) << show(*stepped);
        }
    }
}

// Too small for a double, by the zeros after the point, is 0, not an overflow. Whole steps
// of the loop and their wraps are the random test's; a fraction steps by one.
TEST(NumberRules, UnderflowDecimalTextAndTheStepOfAFraction)
{
    EXPECT_EQ(numberOf(QStringLiteral("0.%1e50").arg(QString(400, u'0') + u'1')), 0.0);
    const struct { double value; const char* text; } decimals[] = {
        {255, "255"}, {-1, "-1"}, {-0.0, "0"}, {2.5, "2.5"}, {0.1 + 1, "1.1"}, {1e20, "1E+20"}};
    for (const auto& d : decimals)
        EXPECT_EQ(decimalText(d.value), d.text);
    EXPECT_EQ(loopStepText(u"1.5", LoopDirection::Next), QStringLiteral("2.5"));
}

// The window's load sequence moves each bar from 0 to 255 in turn, so the HTML text fills in
// one channel at a time: it comes from the cache of each channel's last procedure, not from
// the bars.
TEST(ColourModel, HtmlTextComesFromTheCacheNotFromTheBarsAndConversions)
{
    ColourModel model;
    BarValues bars{255, 0, 0};
    // Green and blue not cached yet.
    EXPECT_EQ(model.change(Red, bars).value().htmlText, "HTML values =  # FF  ");
    bars = {255, 255, 255};
    model.change(Green, bars);
    model.change(Blue, bars);
    // Blue has moved but its procedure has not run yet: the mix follows the bars, the HTML
    // text keeps blue's last cached pair.
    bars = {10, 255, 16};
    const ColourChange red = model.change(Red, bars).value();
    EXPECT_EQ(std::tuple(red.channelBox, red.channelText, red.mixedBox, red.mixedText, red.htmlText),
              std::tuple(RGB(10, 0, 0), QStringLiteral("10, 0, 0  /  # 0A 00 00"), RGB(10, 255, 16),
                         QStringLiteral("R,G,B values = 10 , 255 , 16"), QStringLiteral("HTML values =  # 0A FF FF")));
    EXPECT_FALSE(model.change(3, bars).has_value());
    EXPECT_FALSE(model.change(-1, bars).has_value());

    // The conversions it uses; the codes of the code page themselves are read and written by
    // the document suite.
    for (const auto& [v, hex] : {std::pair(0, "00"), {11, "0B"}, {255, "FF"}, {-1, ""}, {256, ""}})
        EXPECT_EQ(ByteToHex(v), hex) << v;
    EXPECT_EQ(RGB(0, 128, 255), 0xFF8000);
    EXPECT_EQ(visibleForm(u"\x1F" "A \x7F"), QStringLiteral("\u241F" "A \u2421"));
}
