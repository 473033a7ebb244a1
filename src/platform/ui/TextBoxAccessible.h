#pragma once
// What screen readers see of a text box. The widget document holds a very long line in
// several blocks (divisions); read through the widget, each division would sound like a
// line break and every offset behind it would be off. This interface gives the reader text
// instead (TextBox::readerText): the divisions left out, every break one "\n", so that
// offsets, lines and edits agree with what the user sees as the text.
#include <QAccessibleWidget>

namespace folio {

class TextBox;

class TextBoxAccessible : public QAccessibleWidget,
                          public QAccessibleTextInterface,
                          public QAccessibleEditableTextInterface {
public:
    explicit TextBoxAccessible(TextBox* box);

    // Makes every text box answer with this interface (once per program), and holds back
    // the change reports the widget's own text control sends for `box` (widget positions,
    // divisions counted as breaks): the box sends its own (textChanged). Called first
    // thing when a box is made, before anything connects to its document: it gives the box
    // a document of its own.
    static void install(TextBox* box);

    // Tells screen readers of a change of the box's text, from the document's report
    // (widget positions; the box's break index already brought up to date, its model text
    // not yet) and the number of divisions the change removed minus the number it added.
    static void textChanged(TextBox* box, int position, int charsRemoved, int charsAdded, int divisionsGone);
    // Tells screen readers that the box was given a whole new text (set or loaded; called
    // once the top is in the widget), `oldLength` the length of the text before as they
    // read it (-1: not known).
    static void textReplaced(TextBox* box, int oldLength);

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
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // QAccessibleEditableTextInterface: through the box's own editing, one undo step each;
    // a locked box refuses.
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

private:
    TextBox* box() const;
    // The stretch [start, end) of the reader text that holds `offset` for the boundary;
    // false for an offset outside the text.
    bool segment(int offset, QAccessible::TextBoundaryType boundary, int* start, int* end) const;
    // The real line (between breaks, divisions not counted) that holds `offset`, its break
    // included.
    void lineAround(int offset, int* start, int* end) const;
};

}  // namespace folio
