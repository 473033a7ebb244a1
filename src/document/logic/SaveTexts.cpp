#include "document/logic/SaveTexts.h"

#include <QStringList>

namespace folio::document {

const QString kOpenFilter = QStringLiteral(
    "Text files (*.txt)|*.txt|HTML files (*.htm; *.html)|*.htm;*.html|INF files (*.inf)|*.inf|"
    "INI files (*.ini)|*.ini|JavaScript files (*.js)|*.js|ASP files (*.asp)|*.asp|PHP files (*.php)|*.php|"
    "CSS files (*.css)|*.css|XML files (*.xml)|*.xml|SHTML files (*.shtml)|*.shtml|CGI files (*.cgi)|*.cgi|"
    "CSV files (*.csv)|*.csv|C header files (*.h)|*.h|C files (*.c)|*.c|C++ files (*.cpp)|*.cpp|"
    " All files (*.*)|*.*");

const QString kSaveFilter = QStringLiteral(
    "Text files (*.txt)|*.txt|HTM files (*.htm)|*.htm|HTML files (*.html)|*.html|INF files (*.inf)|*.inf|"
    "INI files (*.ini)|*.ini|JavaScript files (*.js)|*.js|ASP files (*.asp)|*.asp|PHP files (*.php)|*.php|"
    "CSS files (*.css)|*.css|XML files (*.xml)|*.xml|SHTML files (*.shtml)|*.shtml|CGI files (*.cgi)|*.cgi|"
    "CSV files (*.csv)|*.csv|C header files (*.h)|*.h|C files (*.c)|*.c|C++ files (*.cpp)|*.cpp|"
    " All files (*.*)|*.*");

const QString kReadOnlyNameText = QStringLiteral("The filename that you selected is for read-only mode.") +
                                  QStringLiteral(" You need to save this file by some other name.");

const QString kOverwriteOrAppendQuestion = QStringList{
    QStringLiteral("If an existing file is selected, "),
    QStringLiteral("     Click on Yes to overwrite the contents in the existing file."),
    QStringLiteral("     Click on No to append to the end of contents in the existing file."),
    QString(),
    QStringLiteral("To create and save as a new file, click No. if you clicked on Yes, you may get an error message."),
    QString(),
    QStringLiteral("Click Cancel to cancel saving activity."),
}.join(QStringLiteral("\r\n"));

const QString kShadesNotFoundText = QStringLiteral("The MyShades.csv file is not found ! ") +
                                    QStringLiteral("\r\n") +
                                    QStringLiteral("Please locate and open it manually from the File --> Open menu.");

const QString kChangedOnDiskQuestion =
    QStringLiteral("This file has been changed by another program since it was opened or last saved here.") +
    QStringLiteral("\r\n\r\n") +
    QStringLiteral("Click Yes to overwrite those changes with this text, or No to leave the file as it is.") +
    QStringLiteral("\r\n") + QStringLiteral("Do you want to overwrite the file ?");

QString unrepresentableQuestion(qsizetype count, const QStringList& firstFew, const QString& encodingName)
{
    // Each entry is one character: a surrogate pair, or a unit alone (a lone half among them).
    QStringList shown;
    for (const QString& c : firstFew) {
        const bool pair = c.size() == 2;
        const char32_t code = pair ? QChar::surrogateToUcs4(c.at(0), c.at(1)) : c.at(0).unicode();
        const QString hex = QString::number(uint(code), 16).toUpper().rightJustified(4, QLatin1Char('0'));
        if (c.at(0).isSurrogate() && !pair)
            shown << QStringLiteral("U+%1").arg(hex);
        else
            shown << QStringLiteral("%1 (U+%2)").arg(c, hex);
    }
    const bool more = count > shown.size();
    return QStringLiteral("This text holds %1 character%2 that cannot be written in this file's character set "
                          "(%3):")
               .arg(count)
               .arg(count == 1 ? QString() : QStringLiteral("s"), encodingName) +
           QStringLiteral("\r\n\r\n     ") + shown.join(QStringLiteral(", ")) +
           (more ? QStringLiteral(", ...") : QString()) +
           QStringLiteral("\r\n\r\nEach of them would be saved as a question mark (?).") +
           QStringLiteral("\r\nClick Yes to save anyway, or No to leave the file as it is.");
}

}  // namespace folio::document
