// The prompted tags, the case changes and the general date text.
#include "tags/logic/TextCommands.h"

#include "document/logic/FindText.h"

#include <QRegularExpression>
#include <QTimeZone>

#include <gtest/gtest.h>

using namespace folio::tags;

TEST(HyperlinkTag, BuildsTheAnchorFromTheDefaults)
{
    EXPECT_EQ(kHyperlinkTargetDefault, QLatin1String("http://www.example.com"));
    EXPECT_EQ(hyperlinkTag(kHyperlinkTargetDefault, kHyperlinkDisplayDefault),
              QLatin1String("<a href= 'http://www.example.com'> Display Text </a>"));
    // The prompt's second line names the default and a mail link on the same host.
    const QStringList promptLines = kHyperlinkTargetPrompt.split(QLatin1String("\r\n"));
    ASSERT_EQ(promptLines.size(), 2);
    EXPECT_EQ(promptLines[0], QLatin1String("Please type the URL"));
    EXPECT_EQ(promptLines[1], kHyperlinkTargetDefault + QLatin1String(" or mailto:info@example.com"));
}

TEST(HyperlinkTag, KeepsTypedBlanksAndRefusesBlankValues)
{
    EXPECT_EQ(hyperlinkTag(QStringLiteral("  http://www.example.com/a b "), QStringLiteral(" Home ")),
              QLatin1String("<a href= '  http://www.example.com/a b '>  Home  </a>"));
    EXPECT_EQ(hyperlinkTag(QStringLiteral("mailto:info@example.com"), QStringLiteral("Mail us")),
              QLatin1String("<a href= 'mailto:info@example.com'> Mail us </a>"));
    EXPECT_EQ(hyperlinkTag(QString(), QStringLiteral("Display Text")), std::nullopt);
    EXPECT_EQ(hyperlinkTag(QStringLiteral("http://www.example.com"), QStringLiteral("   ")), std::nullopt);
    EXPECT_EQ(hyperlinkTag(QStringLiteral("    "), QString()), std::nullopt);
    // Only blanks are trimmed for the emptiness test: a tab is content.
    EXPECT_EQ(hyperlinkTag(QStringLiteral("\t"), QStringLiteral("x")), QLatin1String("<a href= '\t'> x </a>"));
}

TEST(ImageTag, BuildsTheTagWithTheFixedSizeAndRefusesBlankValues)
{
    EXPECT_EQ(imageTag(kImageFileDefault, kImageAltDefault),
              QLatin1String("<img src= './sub-folder/ImageName.jpg' alt= 'Search Keywords for the Image' width=10 height=10>"));
    EXPECT_EQ(imageTag(QStringLiteral(" big.png "), QStringLiteral("a b")),
              QLatin1String("<img src= ' big.png ' alt= 'a b' width=10 height=10>"));
    EXPECT_EQ(imageTag(QString(), QStringLiteral("anything")), std::nullopt);  // first box cancelled
    EXPECT_EQ(imageTag(QStringLiteral("x.jpg"), QStringLiteral(" ")), std::nullopt);
    EXPECT_EQ(kImageCaption, QLatin1String("Insert Image Tag"));
    EXPECT_EQ(kImageFilePrompt, QLatin1String("Please type the image file name with relative path"));
    EXPECT_EQ(kImageAltPrompt, QLatin1String("Please type the Search Keywords for the Image"));
}

TEST(WarningText, HasThreeParagraphsWithOneEmptyLineBetween)
{
    const QStringList parts = warningText().split(QLatin1String("\r\n"));
    ASSERT_EQ(parts.size(), 5);
    EXPECT_EQ(parts[0], QLatin1String("Wherever you read the words 'Your Text' on the menu, you can wrap the selected or highlighted text in your file by the concerned tags."));
    EXPECT_EQ(parts[1], QString());
    EXPECT_EQ(parts[2], QLatin1String("Wherever these words don't appear on the menu, the selected or highloghted text in your file will be replaced by the concerned tags."));
    EXPECT_EQ(parts[3], QString());
    EXPECT_EQ(parts[4], QLatin1String("So take care ! If you want to undo the changes, please right click on the text box and select 'Undo'."));
    EXPECT_FALSE(warningText().contains(QRegularExpression(QStringLiteral("[^\r]\n|\r[^\n]"))));
}

// The case commands rely on the find panel's mapping: letters change, nothing else, same length.
TEST(CaseChange, ChangesLettersOnlyAndKeepsTheLength)
{
    const QString mixed = QStringLiteral("Ab1-<P>, z9! \u00e9\u00c9 \u00df\t\r\nx");
    EXPECT_EQ(folio::upperPerCharacter(mixed), QStringLiteral("AB1-<P>, Z9! \u00c9\u00c9 \u00df\t\r\nX"));
    EXPECT_EQ(folio::lowerPerCharacter(mixed), QStringLiteral("ab1-<p>, z9! \u00e9\u00e9 \u00df\t\r\nx"));
    EXPECT_EQ(folio::upperPerCharacter(QString()), QString());
    // A letter whose full upper case is longer (German sharp s) keeps its single unit.
    EXPECT_EQ(folio::upperPerCharacter(QStringLiteral("stra\u00dfe")).size(), 6);
    EXPECT_EQ(folio::upperPerCharacter(QStringLiteral("\u00ff")), QStringLiteral("\u0178"));
    const QString digitsAndMarks = QStringLiteral("0123456789 !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~");
    EXPECT_EQ(folio::upperPerCharacter(digitsAndMarks), digitsAndMarks);
    EXPECT_EQ(folio::lowerPerCharacter(digitsAndMarks), digitsAndMarks);
}

TEST(TimeFormatWithoutZone, TakesOutTheZoneWhereverItStands)
{
    EXPECT_EQ(timeFormatWithoutZone(QStringLiteral("h:mm:ss AP t")), QLatin1String("h:mm:ss AP"));
    EXPECT_EQ(timeFormatWithoutZone(QStringLiteral("t HH:mm:ss")), QLatin1String("HH:mm:ss"));
    EXPECT_EQ(timeFormatWithoutZone(QStringLiteral("H:mm:ss (t)")), QLatin1String("H:mm:ss"));
    EXPECT_EQ(timeFormatWithoutZone(QStringLiteral("HH:mm:ss tttt")), QLatin1String("HH:mm:ss"));
    EXPECT_EQ(timeFormatWithoutZone(QStringLiteral("AP h 't' mm t ss")), QLatin1String("AP h 't' mm ss"));
    // A format without a zone is left exactly as it is, blanks included.
    EXPECT_EQ(timeFormatWithoutZone(QStringLiteral(" HH:mm:ss ")), QLatin1String(" HH:mm:ss "));
}

TEST(GeneralDateText, ShortDateBlankLongTimeWithoutZone)
{
    const QDateTime afternoon(QDate(2004, 3, 28), QTime(14, 5, 9), QTimeZone(3600));
    EXPECT_EQ(generalDateText(afternoon, QLocale(QStringLiteral("de_DE"))), QLatin1String("28.03.04 14:05:09"));
    const QString us = generalDateText(afternoon, QLocale(QStringLiteral("en_US")));
    EXPECT_EQ(us, QLatin1String("3/28/04 2:05:09 PM"));
    // The same local time in UTC: still no zone name.
    const QDateTime utc(QDate(2004, 3, 28), QTime(14, 5, 9), Qt::UTC);
    EXPECT_EQ(generalDateText(utc, QLocale(QStringLiteral("de_DE"))), QLatin1String("28.03.04 14:05:09"));
    const QDateTime morning(QDate(2004, 3, 28), QTime(0, 0, 1), Qt::LocalTime);
    EXPECT_EQ(generalDateText(morning, QLocale(QStringLiteral("en_US"))), QLatin1String("3/28/04 12:00:01 AM"));
}

TEST(GeneralDateText, MidnightGivesTheDateAlone)
{
    const QDateTime midnight(QDate(2004, 12, 31), QTime(0, 0), Qt::LocalTime);
    EXPECT_EQ(generalDateText(midnight, QLocale(QStringLiteral("de_DE"))), QLatin1String("31.12.04"));
    EXPECT_EQ(generalDateText(midnight, QLocale(QStringLiteral("en_US"))), QLatin1String("12/31/04"));
    // One millisecond past midnight is not midnight.
    const QDateTime justAfter(QDate(2004, 12, 31), QTime(0, 0, 0, 1), Qt::LocalTime);
    EXPECT_EQ(generalDateText(justAfter, QLocale(QStringLiteral("de_DE"))), QLatin1String("31.12.04 00:00:00"));
}
