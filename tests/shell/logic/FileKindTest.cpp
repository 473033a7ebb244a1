// The shared module's and the shell's pure rules: extensions, the HTML-menu decision, error
// numbers, the command line and the long fixed messages (word for word, with their CR LF
// breaks).
#include "platform/logic/RuntimeError.h"
#include "shared/logic/FileKind.h"
#include "shell/logic/CommandLine.h"
#include "shell/logic/MessageTexts.h"

#include <gtest/gtest.h>

#include <QDir>

using namespace basModu001;

// The last dot wins, also one in a folder's name; a path without a dot, or ending in one, is
// its own extension.
TEST(GetExtension, EverythingAfterTheLastDotOrTheWholePath)
{
    const char* const table[][2] = {
        {"C:\\web\\index.HTM", "HTM"}, {"archive.tar.gz", "gz"}, {"/my.site/readme", "site/readme"},
        {"README", "README"}, {"", ""}, {"notes.", "notes."},
    };
    for (const auto& row : table)
        EXPECT_EQ(GetExtension(QString::fromLatin1(row[0])), QString::fromLatin1(row[1])) << row[0];
}

// Web kinds enable "&HTML Tags" in any letter case, a style sheet leaves it, all else disables.
TEST(HtmlMenuState, WebKindsEnableCssLeavesItEverythingElseDisables)
{
    const auto E = HtmlMenuEffect::Enable, U = HtmlMenuEffect::Unchanged, D = HtmlMenuEffect::Disable;
    const std::pair<const char*, HtmlMenuEffect> table[] = {
        {"html", E}, {"htm", E}, {"", E}, {"asp", E}, {"php", E}, {"cgi", E}, {"xml", E}, {"shtml", E},
        {"Htm", E}, {"CSS", U}, {"js", D}, {"txt", D}, {" html", D}, {"html ", D}, {"notes.", D}};
    for (const auto& [e, effect] : table)
        EXPECT_EQ(htmlMenuEffect(QString::fromLatin1(e)), effect) << e;
}

// The numbers the document tests do not meet on the disk.
TEST(RuntimeError, OperatingSystemFailuresGetTheProgramsNumbers)
{
    EXPECT_EQ(folio::RuntimeError::fromErrno(EACCES).number(), 70);
    EXPECT_EQ(folio::RuntimeError::fromErrno(ENOSPC).number(), 61);
}

TEST(CommandLine, FilesOpenAfterProceedHelpVersionAndMistakesEndAtOnce)
{
    using folio::cli::Action;
    const QString here = QDir::currentPath() + QLatin1Char('/');
    const struct { QStringList arguments; Action action; QStringList files; } table[] = {
        {{"tagwright-folio", "page.html", "/srv/www/a b.txt"}, Action::Run, {here + "page.html", "/srv/www/a b.txt"}},
        {{"tagwright-folio", "file:///srv/a%20b.htm"}, Action::Run, {"/srv/a b.htm"}},
        // Every byte of a name that is not UTF-8 is kept (a Latin-1 e-acute here).
        {{"tagwright-folio", "file:///srv/caf%E9.htm"}, Action::Run, {"/srv/caf" + QString(QChar(0xDCE9)) + ".htm"}},
        // The toolkit's options and their values are the toolkit's, not files.
        {{"tagwright-folio", "-style", "fusion", "x.ini", "--platform=offscreen", "-reverse"}, Action::Run, {here + "x.ini"}},
        {{"tagwright-folio", "--", "--help", "-v"}, Action::Run, {here + "--help", here + "-v"}},
        {{"tagwright-folio", "a.txt", "--help"}, Action::Help, {}}, {{"tagwright-folio", "-v", "a.txt"}, Action::Version, {}},
        {{"tagwright-folio", "-style"}, Action::Mistake, {}},
    };
    for (const auto& row : table) {
        const folio::cli::Request r = folio::cli::parse(row.arguments);
        EXPECT_EQ(std::tuple(r.action, r.files, r.message.isEmpty()),
                  std::tuple(row.action, row.files, row.action != Action::Mistake))
            << row.arguments.join(' ').toStdString();
    }
    EXPECT_EQ(folio::cli::parse({"/usr/bin/tagwright-folio", "--frobnicate"}).message,
              QStringLiteral("tagwright-folio: Unknown option 'frobnicate'.\n"
                             "Try 'tagwright-folio --help' for more information.\n"));
    EXPECT_EQ(folio::cli::versionText(), QStringLiteral("Tagwright Folio 1.5.2\n"));
}

// Help names the program folder as it is, between two blanks on each side; then the new file's
// message and the twelve types of its dialog.
TEST(MessageTexts, HelpAndNewFileTextsWordForWord)
{
    const QString head = QStringLiteral(
        "This application is supported by a help file named 'Tutorial_01.chm'. It is required that this help "
        "file is saved in the same folder as that of the application's .exe file. \r\n\r\nTo open that help file "
        "from within the application, just activate the menu bar (press ALT key once) and then press F1 key. If "
        "you don't have it, you can refer to the tutorial that will be displayed now.\r\n\r\nAt present, you are "
        "running this application from  ");
    EXPECT_EQ(folio::shell::helpMessageText(QStringLiteral("/opt/tagwright folio")), head + QStringLiteral("/opt/tagwright folio  path."));
    EXPECT_EQ(folio::shell::newFileCreatedText(),
              QStringLiteral("A new empty file with the path and filename specified by you is created.\r\n"
                             "You can now open it to edit from 'Open an existing file' menu."));
    EXPECT_EQ(folio::shell::kNewFileFilter, QStringLiteral("Text files (*.txt)|*.txt|HTM files (*.htm)|*.htm|HTML files (*.html)|*.html|"
                                             "INF files (*.inf)|*.inf|INI files (*.ini)|*.ini|JavaScript files (*.js)|*.js|"
                                             "ASP files (*.asp)|*.asp|PHP files (*.php)|*.php|CSS files (*.css)|*.css|"
                                             "XML files (*.xml)|*.xml|SHTML files (*.shtml)|*.shtml|CGI files (*.cgi)|*.cgi"));
}
