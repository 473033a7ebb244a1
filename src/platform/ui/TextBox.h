#pragma once
// The multi-line text box of documents and reading windows. The text, the caret and the
// selection, the undo history and the changed flag are the model's (TextModel); the box
// shows the model and turns keys, mouse, input methods, drag and drop and the clipboard
// into the model's edits. Laying out and painting only read the model: a resize, a scroll
// or a paint changes neither the text nor the undo history.
//
// Positions are the model's: CR LF counts two characters, as SelStart does. Long lines wrap
// at the box's width (TextBoxLayout lays out only the rows on screen, so a line of
// megabytes costs no more a keystroke than a short one).
#include "platform/logic/PieceText.h"
#include "platform/logic/TextModel.h"
#include "platform/ui/SelectionAccess.h"
#include "platform/ui/TextBoxLayout.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QPoint>

#include <memory>
#include <vector>

class QMenu;

namespace folio {

class TextBox : public QAbstractScrollArea, public SelectionAccess {
    Q_OBJECT
public:
    using Row = TextBoxLayout::Row;

    explicit TextBox(QWidget* parent = nullptr);
    ~TextBox() override;

    TextModel& model() { return m_model; }
    const TextModel& model() const { return m_model; }
    // The rows as laid out for the box's width and font.
    const TextBoxLayout& rows() const { return m_rows; }
    void setLayoutLimits(const TextBoxLayout::Limits& limits);

    // The whole text, breaks as they are (CR LF for a break typed with Enter).
    QString Text() const override { return m_model.Text(); }
    // The same text in the parts it is kept in, for readers that walk a big text once
    // (find, save). The copy stays as it is whatever the box does later.
    PieceText TextPieces() const { return m_model.pieces(); }
    int TextLength() const { return int(m_model.length()); }
    // Replaces the whole text: the caret at the start, the view at the top, no undo step,
    // not changed. The second takes the text already cut into pieces (on a reading thread:
    // cutting 50 MB takes some 40 ms).
    void setText(const QString& text);
    void setText(PieceText text);

    // While the text is still being read elsewhere (Loading), keys, input-method text and
    // pastes are kept in order and carried out on the text once setText has given it: the
    // window answers at once, and nothing typed meanwhile is lost or lands in the wrong text.
    void setLoading(bool loading);
    bool Loading() const { return m_loading; }

    int SelStart() const override { return int(m_model.SelStart()); }
    int SelLength() const override { return int(m_model.SelLength()); }
    QString SelText() const override { return m_model.SelText(); }
    void setSelStart(int start) override;
    void setSelLength(int length) override;
    void ReplaceSelection(const QString& text) override;

    // Locked: the user cannot type, paste, cut, drop or undo; the program's own commands
    // still change the text. A locked box can still be scrolled, selected (mouse and
    // keyboard) and copied from.
    bool Locked() const { return m_locked; }
    void setLocked(bool locked);

    // The commands of the box's own right-click menu (and of their keys). Each edit is one
    // undo step; a locked box copies and selects only.
    void undo();
    void redo();
    void cut();
    void copy() const;
    void paste();
    void deleteSelection();
    void selectAll();

    // The view. Rectangles and points are in viewport coordinates.
    // The caret's rectangle (also off screen: above or below the viewport).
    QRect caretRect() const;
    // The rectangle of the character at `position` (its row's height; an empty width at a
    // line's end).
    QRect rectOf(qsizetype position) const;
    // The position nearest to the point (above the text: the top row; below: the last).
    qsizetype positionAt(QPoint point) const;
    // Moves the caret to `position`, the anchor staying where it was when `keepAnchor`
    // (else with it), and scrolls the caret into view. `keepGoal` keeps the x that Up and
    // Down aim for (they set it themselves); every other move forgets it.
    void moveCaret(qsizetype position, bool keepAnchor, bool keepGoal = false);
    void ensureCaretVisible();
    // The row at the top of the viewport, how many whole rows fit, and scrolling.
    Row topRow() const { return m_top; }
    int visibleRows() const;
    void scrollToRow(const Row& top);
    // Scrolls by whole rows, down for a positive count; stops at either end.
    void scrollRows(int count);
    // The x the caret keys Up and Down aim for (-1: none yet).
    qreal goalX() const { return m_goalX; }
    void setGoalX(qreal x) { m_goalX = x; }
    // The right-click menu, its entries enabled as they apply now.
    QMenu* createContextMenu(QWidget* parent);

signals:
    // After every change of the text, whatever made it: typing, commands, undo, setText.
    void Change();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

    // Keys, input methods, clipboard and the right-click menu (TextBoxKeys.cpp).
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    // Mouse, wheel, drag and drop (TextBoxMouse.cpp).
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The view follows the model.
    void onModelChange(const TextChange& change);
    void onSelectionChange();
    // The scroll bar follows the top row: its value is the top row's start position.
    void updateScrollBar();
    void onScrollAction(int action);
    // The top row that shows the end of the text at the bottom of the viewport.
    Row lastTopRow() const;
    void restartBlink();
    QRect rowRect(int rowFromTop) const;
    int rowFromTop(const Row& row, int rows = -1) const;
    // Where the rows begin inside the viewport.
    static QPoint textOrigin();

    TextModel m_model;
    TextBoxLayout m_rows;
    Row m_top;
    qsizetype m_lineCount = 1;  // the model's lines when the layout last heard of them
    qreal m_goalX = -1;
    bool m_locked = false;
    bool m_loading = false;
    bool m_caretShown = true;
    QBasicTimer m_blink;
    bool m_settingScrollBar = false;

    // Keys (TextBoxKeys.cpp): events kept while Loading.
    std::vector<std::unique_ptr<QEvent>> m_keptInput;
    QString m_preedit;  // input-method text being composed at the caret
    // Carries out the input kept while Loading, in order (called once the text is set).
    void carryOutKeptInput();
    // Whether the box takes `event`'s key itself rather than a menu shortcut of the window
    // (asked on QEvent::ShortcutOverride).
    bool takesShortcut(const QKeyEvent* event) const;

    // Mouse (TextBoxMouse.cpp).
    QPoint m_pressPoint;
    qsizetype m_pressPosition = -1;
    bool m_mayDrag = false;        // pressed inside the selection: a move may start a drag
    bool m_selecting = false;      // pressed outside it: a move extends the selection
    bool m_wordSelecting = false;  // after a double-click: selection grows by words
    qsizetype m_wordAnchorStart = 0;
    qsizetype m_wordAnchorEnd = 0;
    qsizetype m_dropCaret = -1;  // where a drag over the box would drop (-1: none)
    QBasicTimer m_autoScroll;
    // One tick of scrolling while a mouse selection is dragged beyond the viewport.
    void autoScrollStep();
    bool m_lineSelecting = false;  // after a triple-click: by whole lines (with m_wordSelecting)
    QPoint m_autoScrollPoint;      // the mouse, or a drag over the box, that auto-scrolling follows
    ulong m_doubleClickTime = 0;   // the last double-click, for a triple-click
    QPoint m_doubleClickPoint;
    bool m_afterDoubleClick = false;
    int m_wheelAngle = 0;        // wheel turns not yet scrolled (120 = one notch times rows)
    qreal m_wheelPixels = 0;     // the same for wheels that report pixels
    bool m_droppedHere = false;  // the drag this box started was dropped on the box itself
    // Whether `point` is on a selected character (a press there may start a drag).
    bool onSelection(QPoint point) const;
    // The selection grows to `point`: by characters, or by words or lines after a double- or
    // triple-click.
    void extendSelection(QPoint point);
    // The word, or the line with its break, around `position`.
    std::pair<qsizetype, qsizetype> unitAround(qsizetype position) const;
    // Whether a drag may drop here: plain text into a box the user may change.
    bool takesDrop(const QDropEvent* event) const;
    void showDropCaret(qsizetype position);
    // Drops `text` at `position` as one undo step and selects it; a Move from this box's own
    // selection takes it away from where it was in the same step. False when nothing changed
    // (a drop onto the selection itself).
    bool dropText(qsizetype position, const QString& text, Qt::DropAction action, bool fromHere);
    // Drags the selection out; a Move onto another widget takes it away afterwards.
    void startDrag();
    void dragFinished(Qt::DropAction action, qsizetype start, const QString& text);
    // The X11 selection follows the mouse's.
    void offerMouseSelection() const;
    friend class TextBoxMouseTest;
};

}  // namespace folio
