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

const QString kReadOnlyNameText = QStringLiteral("The filename that you selected is for read-only mode.")
    + QStringLiteral(" You need to save this file by some other name.");

const QString kOverwriteOrAppendQuestion =
    QStringList{
        QStringLiteral("If an existing file is selected, "),
        QStringLiteral("     Click on Yes to overwrite the contents in the existing file."),
        QStringLiteral("     Click on No to append to the end of contents in the existing file."),
        QString(),
        QStringLiteral(
            "To create and save as a new file, click No. if you clicked on Yes, you may get an error message."),
        QString(),
        QStringLiteral("Click Cancel to cancel saving activity."),
    }
        .join(QStringLiteral("\r\n"));

const QString kShadesNotFoundText = QStringLiteral("The MyShades.csv file is not found ! ") + QStringLiteral("\r\n")
    + QStringLiteral("Please locate and open it manually from the File --> Open menu.");

const QString kChangedOnDiskQuestion =
    QStringLiteral("This file has been changed by another program since it was opened or last saved here.")
    + QStringLiteral("\r\n\r\n")
    + QStringLiteral("Click Yes to overwrite those changes with this text, or No to leave the file as it is.")
    + QStringLiteral("\r\n") + QStringLiteral("Do you want to overwrite the file ?");

namespace {

// A lost character as the question shows it.
QString shownCharacter(char32_t code)
{
    QString number = QStringLiteral("U+%1").arg(QString::number(uint(code), 16).toUpper(), 4, QLatin1Char('0'));
    if (QChar::isSurrogate(code))
        return number;
    const QString character = QString::fromUcs4(&code, 1);
    // A combining mark alone would draw on whatever stands before it.
    if (QChar::isMark(code))
        return QStringLiteral("\u25CC") + character + QStringLiteral(" (") + number + QLatin1Char(')');
    return character + QStringLiteral(" (") + number + QLatin1Char(')');
}

}  // namespace

QString unrepresentableQuestion(const docformat::LostCharacters& lost, const QString& encodingName,
                                CharacterSetOf whose)
{
    const bool file = whose == CharacterSetOf::File;
    QString text = QStringLiteral("This text holds %1 character%2 that cannot be written in %3 character set (%4):\r\n")
                       .arg(lost.count)
                       .arg(lost.count == 1 ? QString() : QStringLiteral("s"),
                            file ? QStringLiteral("this file's") : QStringLiteral("this document's"), encodingName);
    for (const docformat::LostCharacter& c : lost.firstFew) {
        text += QStringLiteral("\r\n     ") + shownCharacter(c.code)
            + (c.count == 1 ? QStringLiteral(": 1 time") : QStringLiteral(": %1 times").arg(c.count));
    }
    if (lost.moreKinds)
        text += QStringLiteral("\r\n     and other characters");
    return text + QStringLiteral("\r\n\r\nEach of them would be saved as a question mark (?).")
        + (file ? QStringLiteral("\r\nClick Yes to save anyway, or No to leave the file as it is.")
                : QStringLiteral("\r\nClick Yes to save anyway, or No to go back to the document without saving it."));
}

}  // namespace folio::document
