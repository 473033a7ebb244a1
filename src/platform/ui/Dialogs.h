#pragma once
// Modal message boxes and input boxes. The program calls MsgBox/InputBox; the installed
// Dialogs service shows them (Qt boxes in the program, a scripted double in tests).
#include <QString>

namespace folio {

// The caption of every message box and input box that names none of its own.
inline const QString kAppTitle = QStringLiteral("Tagwright Folio");

enum class MsgButtons { OkOnly, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgAnswer { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

struct MsgBoxRequest {
    QString prompt;
    MsgButtons buttons = MsgButtons::OkOnly;
    MsgIcon icon = MsgIcon::None;
    int defaultButton = 1;  // 1-based, in the order the buttons are named
    QString title = kAppTitle;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MsgAnswer msgBox(const MsgBoxRequest& request) = 0;
    // The text in the box on OK; the empty text on Cancel or when the box is closed.
    virtual QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) = 0;

    // The service in use. The program installs the Qt one at start; tests install a double.
    static Dialogs& current();
    // Not owned. Passing nullptr restores the Qt boxes.
    static void install(Dialogs* dialogs);
};

// The program's plain message: OK only, no icon, the application title.
void MsgBox(const QString& prompt);
MsgAnswer MsgBox(const QString& prompt, MsgButtons buttons, MsgIcon icon, int defaultButton, const QString& title);
QString InputBox(const QString& prompt, const QString& title, const QString& defaultText);

}  // namespace folio
