#pragma once
// What screen readers see of a text box: the reader text, that is the model's text with every
// line break (CR LF, LF or CR) one "\n", and offsets in it for the caret, the selection, the
// rows on screen and edits. Every query reads the box's model and its layout and changes
// neither; each finds its place by a binary search over the model's pieces, so a 200 MB text
// answers as fast as a short one.
//
// Lines are the rows on screen, as Qt's own text boxes report them: a wrapped paragraph is
// several lines, and a line never holds the break that ends it. Paragraphs are the model's
// lines, without their breaks too.
//
// The box calls install(this) once, at the end of its constructor (behind its own
// connections to its model, so that its rows have heard of a change before a reader is told
// of it). The reports follow the model from then on: each edit, undo or redo is one text
// event and one caret event, and a selection event only when it leaves a selection (an undo
// of typing over one); a move of the caret or the selection alone is a caret event and, when
// the selection changed, a selection event.
#include <QAccessibleWidget>

namespace folio {

class TextBox;
struct TextChange;

class TextBoxAccessible : public QAccessibleWidget,
                          public QAccessibleTextInterface,
                          public QAccessibleEditableTextInterface {
public:
    explicit TextBoxAccessible(TextBox* box);

    // Makes every text box answer with this interface (the first call registers it with Qt)
    // and reports the changes of `box`'s model from now on.
    static void install(TextBox* box);

    // For tests (screen readers are not active there): while set, the events above go to
    // `sink` instead of the platform.
    using EventSink = void (*)(QAccessibleEvent* event);
    static void setEventSink(EventSink sink);

    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString& text) override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    // QAccessibleTextInterface: offsets in the reader text.
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                             int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                            int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    // The box's font and colours, for the whole text, in the format of Qt's own text boxes.
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // QAccessibleEditableTextInterface: through the model, one undo step each; a locked box,
    // or one whose text is still being read, refuses.
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

private:
    // Tells screen readers of a change of the text: the text removed and inserted, then where
    // the caret is. A whole new text is reported as the old one gone, in blanks, and the new
    // one in, or (together longer than a report should be) as a change that carries neither,
    // which tells the reader to read afresh.
    static void textChanged(TextBox* box, const TextChange& change);
    // Tells screen readers that the caret or the selection moved, unless the report of the
    // edit that moved them told it already.
    static void selectionChanged(TextBox* box);

    TextBox* box() const;
    // The stretch [start, end) of the reader text that holds `offset` for the boundary;
    // false for an offset outside the text.
    bool segment(int offset, QAccessible::TextBoundaryType boundary, int* start, int* end) const;
};

}  // namespace folio
