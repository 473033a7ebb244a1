#pragma once
// The one common-dialog object behind every open, save, font and colour dialog.
// Its properties keep their values from one use to the next; each Show... runs the
// dialog through a backend (Qt dialogs in the program, a scripted double in tests).
#include "platform/logic/ColourValue.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace folio {

// One entry of a "description|pattern|description|pattern..." filter string.
struct FileFilter {
    QString description;   // as written, leading blanks included
    QStringList patterns;  // "*.htm;*.html" gives {"*.htm", "*.html"}
    bool operator==(const FileFilter&) const = default;
};
QList<FileFilter> parseFilterString(const QString& filter);

struct FileDialogRequest {
    QString title;
    QString fileName;  // the starting name
    QList<FileFilter> filters;
    QString defaultExt;
};

struct OpenChoice {
    QString path;
    bool readOnlyTicked = false;
};

struct FontChoice {
    QString name;
    float size = 0;
    bool bold = false;
    bool italic = false;
    bool strikethru = false;
    bool underline = false;
    bool operator==(const FontChoice&) const = default;
};

// What actually shows a dialog. Each call returns nothing when the user cancels.
class CommonDialogBackend {
public:
    virtual ~CommonDialogBackend() = default;
    virtual std::optional<OpenChoice> showOpen(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> showSave(const FileDialogRequest& request) = 0;
    virtual std::optional<FontChoice> showFont(const QString& title, const FontChoice& initial, int minSize,
                                               int maxSize) = 0;
    virtual std::optional<ColourValue> showColor(const QString& title, ColourValue initial) = 0;
};

class CommonDialog {
public:
    // Properties, named as the program has always named them.
    QString FileName;
    QString DialogTitle;
    QString Filter;
    QString DefaultExt;
    ColourValue Color = 0;
    qint32 Flags = 0;
    QString FontName;
    float FontSize = 0;
    bool FontBold = false;
    bool FontItalic = false;
    bool FontStrikethru = false;
    bool FontUnderline = false;
    qint16 Min = 0;
    qint16 Max = 0;
    bool CancelError = false;

    // The read-only flag that ShowOpen leaves in Flags when the box was ticked.
    static constexpr qint32 ReadOnlyFlag = 1;

    explicit CommonDialog(CommonDialogBackend* backend = nullptr) : m_backend(backend) {}
    void setBackend(CommonDialogBackend* backend) { m_backend = backend; }
    CommonDialogBackend* backend() const { return m_backend; }

    // Each throws RuntimeError 32755 on Cancel when CancelError is set; without it a
    // cancelled file dialog leaves FileName empty and the others leave everything as it was.
    // After OK in a file dialog FileName is the full path; a name typed without an
    // extension gains DefaultExt. After ShowOpen, Flags is 1 exactly when the read-only
    // box was ticked in that dialog and 0 otherwise.
    // The six font properties as one value, in the dialog's order: name, size, bold,
    // italic, strikethrough, underline.
    FontChoice font() const { return {FontName, FontSize, FontBold, FontItalic, FontStrikethru, FontUnderline}; }
    void setFont(const FontChoice& f)
    {
        FontName = f.name;
        FontSize = f.size;
        FontBold = f.bold;
        FontItalic = f.italic;
        FontStrikethru = f.strikethru;
        FontUnderline = f.underline;
    }

    void ShowOpen();
    void ShowSave();
    void ShowFont();
    void ShowColor();

    // A chosen name without an extension gains ".<defaultExt>" (nothing when defaultExt is empty).
    static QString withDefaultExt(const QString& path, const QString& defaultExt);

private:
    FileDialogRequest fileRequest() const;
    void cancelled();
    CommonDialogBackend& backendOrThrow() const;

    CommonDialogBackend* m_backend = nullptr;
};

}  // namespace folio
