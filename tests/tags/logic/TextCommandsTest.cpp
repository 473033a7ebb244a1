// The prompted tags, the case changes and the general date text.
#include "tags/logic/TextCommands.h"

#include "tags/logic/CaseChange.h"

#include <QTimeZone>

#include <gtest/gtest.h>

using namespace folio::tags;

// The answers go in as typed: blanks stay inside the quotes and a tab is content; an empty or
// blanks-only answer gives no tag. (The tags' words with the boxes' defaults are the window
// suite's.)
TEST(PromptedTags, AnswersKeptAsTypedAndAnEmptyOrBlanksOnlyOneGivesNoTag)
{
    EXPECT_EQ(hyperlinkTag(QStringLiteral("  http://www.example.com/a b "), QStringLiteral("\t")),
              QLatin1String("<a href= '  http://www.example.com/a b '> \t </a>"));
    for (const auto& [first, second] : {std::pair("", "Display Text"), std::pair("x.jpg", "   ")}) {
        EXPECT_EQ(hyperlinkTag(QString::fromLatin1(first), QString::fromLatin1(second)), std::nullopt) << first;
        EXPECT_EQ(imageTag(QString::fromLatin1(first), QString::fromLatin1(second)), std::nullopt) << first;
    }
}

// Letters change, nothing else. In Windows-1252 the length never changes and a letter whose
// other case the code page lacks stays as it is; Unicode maps in full, to longer texts too.
TEST(CaseChange, LettersChangeWithinTheDocumentsCodePage)
{
    const auto W = CaseCodePage::Windows1252, U = CaseCodePage::Unicode;
    const struct { const char16_t* text; CaseCodePage page; const char16_t* upper; const char16_t* lower; } table[] = {
        {u"Ab1-<P>, z9! \u00e9\u00c9 \u00df\t\r\nx", W, u"AB1-<P>, Z9! \u00c9\u00c9 \u00df\t\r\nX",
         u"ab1-<p>, z9! \u00e9\u00e9 \u00df\t\r\nx"},
        {u"\u00b5\u0192\u00ff\u0161\u017e\u0153", W, u"\u00b5\u0192\u0178\u0160\u017d\u0152",
         u"\u00b5\u0192\u00ff\u0161\u017e\u0153"},
        {u"\u03b1\u03a9", U, u"\u0391\u03a9", u"\u03b1\u03c9"},
        {u"\U00010428\U00010400", W, u"\U00010428\U00010400", u"\U00010428\U00010400"},
        {u"\U00010428\U00010400", U, u"\U00010400\U00010400", u"\U00010428\U00010428"},
        {u"\u1fb3\u0149\u01f0\u00df\ufb01\u0130", W, u"\u1fb3\u0149\u01f0\u00df\ufb01\u0130",
         u"\u1fb3\u0149\u01f0\u00df\ufb01\u0130"},
        {u"\u1fb3\u0149\u01f0\u00df\ufb01\u0130", U, u"\u0391\u0399\u02bcNJ\u030cSSFI\u0130",
         u"\u1fb3\u0149\u01f0\u00df\ufb01i\u0307"},
        {u"\xd800x\xdc00", U, u"\xd800X\xdc00", u"\xd800x\xdc00"},  // halves of a pair alone stay
    };
    for (const auto& row : table) {
        const QString text = QString::fromUtf16(row.text);
        EXPECT_EQ(upperCaseIn(text, row.page), QString::fromUtf16(row.upper)) << text.toStdString();
        EXPECT_EQ(lowerCaseIn(text, row.page), QString::fromUtf16(row.lower)) << text.toStdString();
    }
}

TEST(TimeFormatWithoutZone, TakesOutTheZoneWhereverItStands)
{
    const char* const table[][2] = {
        {"h:mm:ss AP t", "h:mm:ss AP"}, {"t HH:mm:ss", "HH:mm:ss"}, {"H:mm:ss (t)", "H:mm:ss"},
        {"HH:mm:ss tttt", "HH:mm:ss"}, {"AP h 't()' mm t ss", "AP h 't()' mm ss"}, {" HH:mm:ss ", " HH:mm:ss "},
    };
    for (const auto& row : table)
        EXPECT_EQ(timeFormatWithoutZone(QString::fromLatin1(row[0])), QLatin1String(row[1])) << row[0];
}

TEST(GeneralDateText, ShortDateBlankLongTimeWithoutZoneAndMidnightAlone)
{
    const QLocale de(QStringLiteral("de_DE")), us(QStringLiteral("en_US"));
    const QDate day(2004, 3, 28);
    const struct { QDateTime when; const QLocale& locale; const char* text; } table[] = {
        {QDateTime(day, QTime(14, 5, 9), QTimeZone(3600)), de, "28.03.04 14:05:09"},
        {QDateTime(day, QTime(14, 5, 9), QTimeZone(3600)), us, "3/28/04 2:05:09 PM"},
        {QDateTime(day, QTime(0, 0, 1), Qt::LocalTime), us, "3/28/04 12:00:01 AM"},
        {QDateTime(QDate(2004, 12, 31), QTime(0, 0), Qt::LocalTime), de, "31.12.04"},
        {QDateTime(QDate(2004, 12, 31), QTime(0, 0, 0, 1), Qt::LocalTime), de, "31.12.04"},
    };
    for (const auto& row : table)
        EXPECT_EQ(generalDateText(row.when, row.locale), QLatin1String(row.text)) << row.text;
}
