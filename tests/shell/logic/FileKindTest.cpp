#include "shell/logic/ErrorReport.h"
#include "shell/logic/FileKind.h"
#include "shell/logic/IntroTexts.h"
#include "shell/logic/MenuTable.h"

#include <gtest/gtest.h>

#include <QSet>

using namespace basModu001;

TEST(GetExtension, TakesEverythingAfterTheLastDotWithCaseKept)
{
    EXPECT_EQ(GetExtension(QStringLiteral("C:\\web\\index.HTM")), QStringLiteral("HTM"));
    EXPECT_EQ(GetExtension(QStringLiteral("a.b.txt")), QStringLiteral("txt"));
    EXPECT_EQ(GetExtension(QStringLiteral("archive.tar.gz")), QStringLiteral("gz"));
    EXPECT_EQ(GetExtension(QStringLiteral("/home/u/page.shtml")), QStringLiteral("shtml"));
}

TEST(GetExtension, DoesNotStopAtFolderSeparators)
{
    EXPECT_EQ(GetExtension(QStringLiteral("C:\\my.site\\readme")), QStringLiteral("site\\readme"));
    EXPECT_EQ(GetExtension(QStringLiteral("/my.site/readme")), QStringLiteral("site/readme"));
}

TEST(GetExtension, WholePathWithoutADotOrEndingInOne)
{
    EXPECT_EQ(GetExtension(QStringLiteral("README")), QStringLiteral("README"));
    EXPECT_EQ(GetExtension(QString()), QString());
    EXPECT_EQ(GetExtension(QStringLiteral("notes.")), QStringLiteral("notes."));
    EXPECT_EQ(GetExtension(QStringLiteral(".")), QStringLiteral("."));
}

TEST(HtmlMenuState, WebKindsAndTheUntitledDocumentEnableTheMenu)
{
    for (const char* e : {"html", "htm", "", "asp", "php", "cgi", "xml", "shtml", "HTML", "Htm", "SHTML"})
        EXPECT_EQ(htmlMenuEffect(QString::fromLatin1(e)), HtmlMenuEffect::Enable) << e;
    EXPECT_EQ(htmlMenuEffect(GetExtension(QStringLiteral(".HTML"))), HtmlMenuEffect::Enable);
}

TEST(HtmlMenuState, StyleSheetsLeaveItAndEverythingElseDisablesIt)
{
    EXPECT_EQ(htmlMenuEffect(QStringLiteral("css")), HtmlMenuEffect::Unchanged);
    EXPECT_EQ(htmlMenuEffect(QStringLiteral("CSS")), HtmlMenuEffect::Unchanged);
    for (const char* e : {"js", "txt", "inf", "ini", " html", "html ", "csv", "README", "notes."})
        EXPECT_EQ(htmlMenuEffect(QString::fromLatin1(e)), HtmlMenuEffect::Disable) << e;
}

TEST(ErrorReport, MissingWindowOrControlGivesTheOneLineRefusal)
{
    EXPECT_EQ(errorReportText(folio::RuntimeError::noObject()),
              QStringLiteral("This activity is not allowed for this instance !"));
    EXPECT_EQ(errorReportText(folio::RuntimeError::notSupported()),
              QStringLiteral("This activity is not allowed for this instance !"));
}

TEST(ErrorReport, OtherNumbersGiveTheNumberedReport)
{
    EXPECT_EQ(errorReportText(folio::RuntimeError(53, QStringLiteral("File not found"), QStringLiteral("TagwrightFolio"))),
              QStringLiteral("Some error occurred !\r\n\r\nError no. :  53\r\nError description :  File not found\r\n"
                             "Source of error :   TagwrightFolio"));
    EXPECT_EQ(errorReportText(folio::RuntimeError(61, QString(), QString())),
              QStringLiteral("Some error occurred !\r\n\r\nError no. :  61\r\nError description :  \r\n"
                             "Source of error :   "));
}

TEST(RuntimeError, OperatingSystemFailuresGetTheOriginalNumbers)
{
    using folio::RuntimeError;
    EXPECT_EQ(RuntimeError::fromErrno(ENOENT).number(), 53);
    EXPECT_EQ(RuntimeError::fromErrno(ENOENT, QStringLiteral("/no/such/folder/file.txt")).number(), 76);
    EXPECT_EQ(RuntimeError::fromErrno(ENOENT, QStringLiteral("/tmp/no-such-file.txt")).number(), 53);
    EXPECT_EQ(RuntimeError::fromErrno(EACCES).number(), 70);
    EXPECT_EQ(RuntimeError::fromErrno(EISDIR).number(), 75);
    EXPECT_EQ(RuntimeError::fromErrno(ENOSPC).number(), 61);
    EXPECT_EQ(RuntimeError::fromErrno(EFBIG).number(), 61);
    EXPECT_EQ(RuntimeError::fromErrno(EIO).number(), 57);
    EXPECT_EQ(RuntimeError::fromErrno(ENOSPC).description(), QStringLiteral("Disk full"));
    EXPECT_EQ(RuntimeError::cancelled().number(), 32755);
}

TEST(IntroTexts, CaptionAndAcrosticReadDownTheProductName)
{
    EXPECT_EQ(folio::intro::caption(1, 5, 2), QStringLiteral("Version = 1 - 5 - 2"));
    const QString name = QStringLiteral("Tagwright Folio");
    QString initials;
    for (const auto& l : folio::intro::labels())
        if (l.index <= 3)
            initials += QString::fromLatin1(l.text).at(0);
    EXPECT_EQ(initials, name.left(4));
    for (const auto& l : folio::intro::labels())
        if (l.index == 4)
            EXPECT_TRUE(QString::fromLatin1(l.text).startsWith(QStringLiteral("Folio ")));
    QSet<int> indexes;
    for (const auto& l : folio::intro::labels())
        indexes.insert(l.index);
    EXPECT_EQ(indexes.size(), 17);
}

TEST(MenuTable, EveryEntryHasAUniqueNameAndSeparatorsSitInTheEditMenu)
{
    QSet<QString> names;
    int separators = 0;
    for (const auto& e : folio::menuTable()) {
        EXPECT_FALSE(names.contains(QString::fromLatin1(e.name))) << e.name;
        names.insert(QString::fromLatin1(e.name));
        if (folio::isSeparator(e)) {
            ++separators;
            EXPECT_TRUE(QString::fromLatin1(e.name).startsWith(QStringLiteral("mnuEditDash")));
        }
    }
    EXPECT_EQ(separators, 2);
    EXPECT_EQ(names.size(), 57);
}
