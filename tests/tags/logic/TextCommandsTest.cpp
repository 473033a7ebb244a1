// The prompted tags and the general date text.
#include "tags/logic/TextCommands.h"

#include <QTimeZone>

#include <gtest/gtest.h>

using namespace folio::tags;

TEST(PromptedTags, TextsDefaultsAndAnswersKeptAsTyped)
{
    EXPECT_EQ(hyperlinkTag(kHyperlinkTargetDefault, kHyperlinkDisplayDefault),
              QLatin1String("<a href= 'http://www.example.com'> Display Text </a>"));
    EXPECT_EQ(imageTag(kImageFileDefault, kImageAltDefault),
              QLatin1String("<img src= './sub-folder/ImageName.jpg' alt= 'Search Keywords for the Image' width=10 height=10>"));
    // Blanks stay inside the quotes; only the blank counts as blank, a tab is content.
    EXPECT_EQ(hyperlinkTag(QStringLiteral("  http://www.example.com/a b "), QStringLiteral(" Home ")),
              QLatin1String("<a href= '  http://www.example.com/a b '>  Home  </a>"));
    EXPECT_EQ(hyperlinkTag(QStringLiteral("\t"), QStringLiteral("x")), QLatin1String("<a href= '\t'> x </a>"));
    EXPECT_EQ(imageTag(QStringLiteral(" big.png "), QStringLiteral("a b")),
              QLatin1String("<img src= ' big.png ' alt= 'a b' width=10 height=10>"));
}

TEST(PromptedTags, AnEmptyOrBlanksOnlyValueGivesNoTag)
{
    const char* const pairs[][2] = {{"", "Display Text"}, {"http://www.example.com", "   "}, {"    ", ""}, {"x.jpg", " "}};
    for (const auto& p : pairs) {
        EXPECT_EQ(hyperlinkTag(QString::fromLatin1(p[0]), QString::fromLatin1(p[1])), std::nullopt) << p[0] << '|' << p[1];
        EXPECT_EQ(imageTag(QString::fromLatin1(p[0]), QString::fromLatin1(p[1])), std::nullopt) << p[0] << '|' << p[1];
    }
}

TEST(TimeFormatWithoutZone, TakesOutTheZoneWhereverItStands)
{
    const char* const table[][2] = {
        {"h:mm:ss AP t", "h:mm:ss AP"}, {"t HH:mm:ss", "HH:mm:ss"}, {"H:mm:ss (t)", "H:mm:ss"},
        {"HH:mm:ss tttt", "HH:mm:ss"}, {"AP h 't' mm t ss", "AP h 't' mm ss"}, {" HH:mm:ss ", " HH:mm:ss "},
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
        {QDateTime(day, QTime(14, 5, 9), Qt::UTC), de, "28.03.04 14:05:09"},
        {QDateTime(day, QTime(0, 0, 1), Qt::LocalTime), us, "3/28/04 12:00:01 AM"},
        {QDateTime(QDate(2004, 12, 31), QTime(0, 0), Qt::LocalTime), de, "31.12.04"},
        {QDateTime(QDate(2004, 12, 31), QTime(0, 0), Qt::LocalTime), us, "12/31/04"},
        {QDateTime(QDate(2004, 12, 31), QTime(0, 0, 0, 1), Qt::LocalTime), de, "31.12.04 00:00:00"},
    };
    for (const auto& row : table)
        EXPECT_EQ(generalDateText(row.when, row.locale), QLatin1String(row.text)) << row.text;
}
