#include "shell/logic/MessageTexts.h"

namespace folio::shell {

namespace {
const QString kCrLf = QStringLiteral("\r\n");
}

QString helpMessageText(const QString& programFolder)
{
    return QStringLiteral("This application is supported by a help file named 'Tutorial_01.chm'. It is required "
                          "that this help file is saved in the same folder as that of the application's .exe "
                          "file. ")
        + kCrLf + kCrLf
        + QStringLiteral("To open that help file from within the application, just activate the menu bar (press "
                         "ALT key once) and then press F1 key. If you don't have it, you can refer to the "
                         "tutorial that will be displayed now.")
        + kCrLf + kCrLf + QStringLiteral("At present, you are running this application from  ") + programFolder
        + QStringLiteral("  path.");
}

QString newFileCreatedText()
{
    return QStringLiteral("A new empty file with the path and filename specified by you is created.") + kCrLf
        + QStringLiteral("You can now open it to edit from 'Open an existing file' menu.");
}

QString colourToolHelpText()
{
    return QStringLiteral("Colour Picker -- ") + kCrLf
        + QStringLiteral("You can move the indicator on any one of the scroll bars and see how the shades of "
                         "colour change. "
                         "You can see corresponding values of RGB() colour function also, beside respective "
                         "colour boxes. ")
        + kCrLf + kCrLf
        + QStringLiteral("You can save the values and names of your favourite colour shades in a text file or a "
                         "CSV database file, for reference & ready retrieval during editing. "
                         "A sample file MyShades.csv is provided with the distribution set. The data fields in "
                         "sequence are -- Your choice name, R value, G value, B value, HTML value, HTML name of "
                         "colour")
        + kCrLf + kCrLf + kCrLf + QStringLiteral("ASCII Concept -- ") + kCrLf
        + QStringLiteral("Choose any one option button and do the needful, to know more about elements of the "
                         "ASCII concept. In case of continuous loop, follow the instructions on screen.");
}

}  // namespace folio::shell
