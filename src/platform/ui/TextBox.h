#pragma once
// The multi-line text box of documents and reading windows: a QPlainTextEdit that offers
// the text-box model the program is written against. Text uses CR LF between lines;
// positions count CR LF as two characters.
//
// Every break the user sees is a block break of the widget, and each block remembers the
// break that opens it (CR LF, a lone LF or a lone CR) in its block format, so a file whose
// lines end in LF keeps its LFs through editing, undo and redo. Enter inserts CR LF.
#include "platform/ui/SelectionAccess.h"

#include <QPlainTextEdit>

namespace folio {

class TextBox : public QPlainTextEdit, public SelectionAccess {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    // The whole text, breaks as remembered, CR LF for a break typed with Enter.
    QString Text() const override;
    // Replaces the whole text in one bulk operation (no undo step is kept for loading).
    void setText(const QString& text);

    int SelStart() const override;
    int SelLength() const override;
    QString SelText() const override;
    void setSelStart(int start) override;
    void setSelLength(int length) override;
    void ReplaceSelection(const QString& text) override;

    // Locked: the user cannot type, paste or cut; the program's own commands still change it.
    bool Locked() const { return isReadOnly(); }
    void setLocked(bool locked) { setReadOnly(locked); }

    // Model length of the text (CR LF counts two), without building the text.
    int TextLength() const;

signals:
    // After every change of the text, whatever made it: typing, commands, undo, setText.
    void Change();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;
};

}  // namespace folio
