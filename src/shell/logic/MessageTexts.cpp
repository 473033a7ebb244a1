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
}  // namespace folio::shell
