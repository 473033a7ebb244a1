// The text box's keys, input methods, clipboard and right-click menu: each turns into the
// model's edits or a move of its caret.
#include "platform/logic/TextMotion.h"
#include "platform/ui/TextBox.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

#include <algorithm>
#include <functional>
#include <iterator>
#include <optional>
#include <utility>

namespace folio {

namespace {

// What a key does in the box. Edits and moves are apart: a locked box moves, never edits.
enum class Edit {
    None,
    Enter,
    Type,
    Backspace,
    Delete,
    DeleteWordBack,
    DeleteWordOn,
    Cut,
    Copy,
    Paste,
    Undo,
    Redo,
    SelectAll
};
enum class Move {
    None,
    Left,
    Right,
    WordLeft,
    WordRight,
    Up,
    Down,
    PageUp,
    PageDown,
    RowStart,
    RowEnd,
    TextStart,
    TextEnd
};

struct KeyMeaning {
    Edit edit = Edit::None;
    Move move = Move::None;
    bool select = false;  // a move that keeps the anchor (Shift)
    bool any() const { return edit != Edit::None || move != Move::None; }
};

// Text a key types: printable characters (and invisible formatting ones) with no Ctrl, Alt
// or Meta of their own; Ctrl with Alt is AltGr on some keyboards and types. A tab, a break
// and other control characters are never typed by a key.
bool typesText(const QKeyEvent* event)
{
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    const auto modifiers = event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier | Qt::GroupSwitchModifier);
    if (modifiers != Qt::NoModifier && modifiers != (Qt::ControlModifier | Qt::AltModifier))
        return false;
    const QList<uint> characters = text.toUcs4();
    return std::all_of(characters.begin(), characters.end(), [](uint c) {
        const auto category = QChar::category(char32_t(c));
        return QChar::isPrint(char32_t(c)) || category == QChar::Other_Format || category == QChar::Other_PrivateUse;
    });
}

KeyMeaning meaningOf(const QKeyEvent* event)
{
    const auto is = [event](QKeySequence::StandardKey key) { return event->matches(key); };
    const bool enterKey = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const auto extra = event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (enterKey)
        return {extra == Qt::NoModifier ? Edit::Enter : Edit::None};
    if (event->key() == Qt::Key_Backspace && extra == Qt::NoModifier)
        return {Edit::Backspace};
    // Moves, with Shift the same moves selecting.
    const struct {
        QKeySequence::StandardKey move, select;
        Move to;
    } moves[] = {
        {QKeySequence::MoveToPreviousChar, QKeySequence::SelectPreviousChar, Move::Left},
        {QKeySequence::MoveToNextChar, QKeySequence::SelectNextChar, Move::Right},
        {QKeySequence::MoveToPreviousWord, QKeySequence::SelectPreviousWord, Move::WordLeft},
        {QKeySequence::MoveToNextWord, QKeySequence::SelectNextWord, Move::WordRight},
        {QKeySequence::MoveToPreviousLine, QKeySequence::SelectPreviousLine, Move::Up},
        {QKeySequence::MoveToNextLine, QKeySequence::SelectNextLine, Move::Down},
        {QKeySequence::MoveToPreviousPage, QKeySequence::SelectPreviousPage, Move::PageUp},
        {QKeySequence::MoveToNextPage, QKeySequence::SelectNextPage, Move::PageDown},
        {QKeySequence::MoveToStartOfLine, QKeySequence::SelectStartOfLine, Move::RowStart},
        {QKeySequence::MoveToEndOfLine, QKeySequence::SelectEndOfLine, Move::RowEnd},
        {QKeySequence::MoveToStartOfDocument, QKeySequence::SelectStartOfDocument, Move::TextStart},
        {QKeySequence::MoveToEndOfDocument, QKeySequence::SelectEndOfDocument, Move::TextEnd},
    };
    for (const auto& m : moves) {
        if (is(m.move))
            return {Edit::None, m.to, false};
        if (is(m.select))
            return {Edit::None, m.to, true};
    }
    const struct {
        QKeySequence::StandardKey key;
        Edit edit;
    } edits[] = {
        {QKeySequence::Delete, Edit::Delete},
        {QKeySequence::DeleteStartOfWord, Edit::DeleteWordBack},
        {QKeySequence::DeleteEndOfWord, Edit::DeleteWordOn},
        {QKeySequence::Cut, Edit::Cut},
        {QKeySequence::Copy, Edit::Copy},
        {QKeySequence::Paste, Edit::Paste},
        {QKeySequence::Undo, Edit::Undo},
        {QKeySequence::Redo, Edit::Redo},
        {QKeySequence::SelectAll, Edit::SelectAll},
    };
    for (const auto& e : edits)
        if (is(e.key))
            return {e.edit};
    // Ctrl+Y is Redo also where the desktop's own keys do not have it.
    if (event->key() == Qt::Key_Y && extra == Qt::ControlModifier)
        return {Edit::Redo};
    return {typesText(event) ? Edit::Type : Edit::None};
}

// Something done while the box was Loading, kept to be done once the text is there: a
// command of the right-click menu, or a paste with the text the clipboard held then.
class KeptCommand : public QEvent {
public:
    explicit KeptCommand(std::function<void()> command) : QEvent(type()), m_command(std::move(command)) {}
    static QEvent::Type type()
    {
        static const auto registered = QEvent::Type(QEvent::registerEventType());
        return registered;
    }
    void run() const { m_command(); }

private:
    std::function<void()> m_command;
};

// The selection offered to other programs (X11's primary selection): its text is copied
// out only when another program asks for it, so selecting megabytes with the keys costs
// nothing per key.
class SelectionData : public QMimeData {
public:
    SelectionData(PieceText text, qsizetype start, qsizetype length)
        : m_text(std::move(text)), m_start(start), m_length(length)
    {
    }
    QStringList formats() const override { return {QStringLiteral("text/plain")}; }
    bool hasFormat(const QString& mimeType) const override { return mimeType == QLatin1String("text/plain"); }

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override
    {
        if (!hasFormat(mimeType))
            return {};
        const QString text = m_text.mid(m_start, m_length);
        return type.id() == QMetaType::QByteArray ? QVariant(text.toUtf8()) : QVariant(text);
    }

private:
    PieceText m_text;
    qsizetype m_start;
    qsizetype m_length;
};

// The caret keys' moves.

// A key's removal: the selection when there is one, else [from, to).
void removeUnlessSelected(TextModel& model, qsizetype from, qsizetype to)
{
    if (model.SelLength() > 0)
        model.ReplaceSelection({});
    else if (to > from)
        model.remove(from, to - from);
}

// After an edit by the user: Up and Down aim afresh, and the caret is in view.
void afterEdit(TextBox& box)
{
    box.setGoalX(-1);
    box.ensureCaretVisible();
}

// Where the caret goes for `position` at or behind the end of `row`. The end of a row that
// its line goes on after is the start of the next row: the caret stands before the row's
// last character instead, so that it shows on this row.
qsizetype caretInRow(const TextModel& model, const TextBox::Row& row, qsizetype position)
{
    if (position >= row.end && row.end < model.lineEnd(row.line))
        return std::max(row.start, motion::previousCharacter(model, row.end));
    return position;
}

// Offers the selection to other programs where the system has a selection of its own (X11).
void offerSelection(const TextModel& model)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard->supportsSelection() && model.SelLength() > 0)
        clipboard->setMimeData(new SelectionData(model.pieces(), model.SelStart(), model.SelLength()),
                               QClipboard::Selection);
}

// Up, Down and the page keys: `count` rows on (back for a negative count), aiming at the x
// the caret had when the first of such keys was pressed. The page keys scroll by the rows
// they move, and from the first or the last row go to the start or the end of the text.
void moveByRows(TextBox& box, int count, bool page, bool select)
{
    const TextModel& model = box.model();
    const TextBoxLayout& rows = box.rows();
    const qsizetype caret = model.selection().caret;
    if (box.goalX() < 0)
        box.setGoalX(rows.xOf(caret));
    TextBox::Row row = rows.rowAt(caret);
    int moved = 0;
    for (; moved != count; moved += count > 0 ? 1 : -1) {
        const std::optional<TextBox::Row> next = count > 0 ? rows.nextRow(row) : rows.previousRow(row);
        if (!next)
            break;
        row = *next;
    }
    if (moved != 0) {
        if (page)
            box.scrollRows(moved);
        box.moveCaret(caretInRow(model, row, rows.positionAt(row, box.goalX())), select, true);
    } else if (page) {
        box.moveCaret(count < 0 ? 0 : model.length(), select);
    }
}

// Where a caret key other than Up, Down and the page keys takes the caret.
qsizetype target(const TextBox& box, Move move, bool collapse)
{
    const TextModel& model = box.model();
    const Selection selection = model.selection();
    const qsizetype caret = selection.caret;
    switch (move) {
    case Move::Left: return collapse ? selection.start() : motion::previousCharacter(model, caret);
    case Move::Right: return collapse ? selection.start() + selection.length() : motion::nextCharacter(model, caret);
    case Move::WordLeft: return motion::previousWord(model, caret);
    case Move::WordRight: return motion::nextWord(model, caret);
    case Move::RowStart: return box.rows().rowAt(caret).start;
    case Move::RowEnd: {
        const TextBox::Row row = box.rows().rowAt(caret);
        return caretInRow(model, row, row.end);
    }
    case Move::TextStart: return 0;
    case Move::TextEnd: return model.length();
    default: return caret;
    }
}

void moveByKey(TextBox& box, Move move, bool select)
{
    if (move == Move::Up || move == Move::Down || move == Move::PageUp || move == Move::PageDown) {
        const bool page = move == Move::PageUp || move == Move::PageDown;
        const int count = page ? std::max(1, box.visibleRows()) : 1;
        moveByRows(box, move == Move::Up || move == Move::PageUp ? -count : count, page, select);
    } else {
        // Left and Right without Shift end a selection at its start or its end.
        box.moveCaret(target(box, move, box.model().SelLength() > 0 && !select), select);
    }
    if (select)
        offerSelection(box.model());
}

// The characters of the caret's line an input method is told about, on either side of it.
constexpr qsizetype SurroundingReach = 512;

// Tells the input method, once the key or its text has been carried out, where the caret
// and the text around it are now (its window of candidates follows the caret).
struct TellInputMethod {
    TellInputMethod() = default;
    TellInputMethod(const TellInputMethod&) = delete;
    TellInputMethod& operator=(const TellInputMethod&) = delete;
    ~TellInputMethod() { QGuiApplication::inputMethod()->update(Qt::ImQueryInput); }
};

}  // namespace

// ---------------------------------------------------------------------------------------
// Keys

bool TextBox::takesShortcut(const QKeyEvent* event) const
{
    // The box's caret and editing keys are the box's, also where a window's menu would have
    // the same key as a shortcut; a locked box takes only those it carries out.
    const KeyMeaning meaning = meaningOf(event);
    const bool readsOnly = meaning.edit == Edit::None || meaning.edit == Edit::Copy || meaning.edit == Edit::SelectAll;
    return meaning.any() && (readsOnly || !m_locked);
}

void TextBox::keyPressEvent(QKeyEvent* event)
{
    const KeyMeaning meaning = meaningOf(event);
    if (!meaning.any()) {
        event->ignore();  // for the window around the box
        return;
    }
    event->accept();
    if (m_loading && meaning.edit != Edit::Paste) {  // a paste keeps the clipboard's text of now
        m_keptInput.emplace_back(event->clone());
        return;
    }
    const TellInputMethod tell;
    switch (meaning.edit) {
    case Edit::None: moveByKey(*this, meaning.move, meaning.select); return;
    case Edit::Copy: copy(); return;
    case Edit::SelectAll: selectAll(); return;
    case Edit::Cut: cut(); return;
    case Edit::Paste: paste(); return;
    case Edit::Undo: undo(); return;
    case Edit::Redo: redo(); return;
    default: break;
    }
    if (m_locked)
        return;
    const qsizetype caret = m_model.selection().caret;
    switch (meaning.edit) {
    case Edit::Enter: m_model.Enter(); break;
    case Edit::Type: m_model.typeText(event->text()); break;
    case Edit::Backspace: removeUnlessSelected(m_model, motion::previousCharacter(m_model, caret), caret); break;
    case Edit::Delete: removeUnlessSelected(m_model, caret, motion::nextCharacter(m_model, caret)); break;
    case Edit::DeleteWordBack: removeUnlessSelected(m_model, motion::previousWord(m_model, caret), caret); break;
    case Edit::DeleteWordOn: removeUnlessSelected(m_model, caret, motion::nextWord(m_model, caret)); break;
    default: break;
    }
    afterEdit(*this);
}

void TextBox::carryOutKeptInput()
{
    // Whatever comes in meanwhile (or is kept again, should loading start anew) goes on
    // behind what is carried out now.
    std::vector<std::unique_ptr<QEvent>> kept;
    kept.swap(m_keptInput);
    for (std::size_t k = 0; k < kept.size(); ++k) {
        QEvent* event = kept[k].get();
        if (m_loading) {
            std::move(kept.begin() + qsizetype(k), kept.end(), std::back_inserter(m_keptInput));
            return;
        }
        if (event->type() == QEvent::KeyPress)
            keyPressEvent(static_cast<QKeyEvent*>(event));
        else if (event->type() == QEvent::InputMethod)
            inputMethodEvent(static_cast<QInputMethodEvent*>(event));
        else if (event->type() == KeptCommand::type())
            static_cast<KeptCommand*>(event)->run();
    }
}

// ---------------------------------------------------------------------------------------
// Commands

void TextBox::undo()
{
    if (m_loading) {
        m_keptInput.push_back(std::make_unique<KeptCommand>([this] { undo(); }));
        return;
    }
    if (m_locked)
        return;
    m_model.undo();
    afterEdit(*this);
}

void TextBox::redo()
{
    if (m_loading) {
        m_keptInput.push_back(std::make_unique<KeptCommand>([this] { redo(); }));
        return;
    }
    if (m_locked)
        return;
    m_model.redo();
    afterEdit(*this);
}

void TextBox::cut()
{
    if (m_loading) {
        m_keptInput.push_back(std::make_unique<KeptCommand>([this] { cut(); }));
        return;
    }
    if (m_locked || m_model.SelLength() == 0)
        return;
    copy();
    deleteSelection();
}

void TextBox::copy() const
{
    // The model's text, each break as it is.
    if (m_model.SelLength() > 0)
        QGuiApplication::clipboard()->setText(m_model.SelText());
}

void TextBox::paste()
{
    if (m_locked)
        return;
    // Plain text only, its breaks as they are; one undo step.
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QString text = data != nullptr && data->hasText() ? data->text() : QString();
    if (text.isEmpty())
        return;
    if (m_loading) {
        // The clipboard's text of now, not of when the text is there.
        m_keptInput.push_back(std::make_unique<KeptCommand>([this, text] {
            if (!m_locked) {
                m_model.ReplaceSelection(text);
                afterEdit(*this);
            }
        }));
        return;
    }
    m_model.ReplaceSelection(text);
    afterEdit(*this);
}

void TextBox::deleteSelection()
{
    if (m_loading) {
        m_keptInput.push_back(std::make_unique<KeptCommand>([this] { deleteSelection(); }));
        return;
    }
    if (m_locked || m_model.SelLength() == 0)
        return;
    m_model.ReplaceSelection({});
    afterEdit(*this);
}

void TextBox::selectAll()
{
    if (m_loading) {
        m_keptInput.push_back(std::make_unique<KeptCommand>([this] { selectAll(); }));
        return;
    }
    // The view stays where it is: the user sees that all is selected, not the end of it.
    m_model.select(0, m_model.length());
    m_goalX = -1;
    offerSelection(m_model);
}

// ---------------------------------------------------------------------------------------
// Input methods (dead keys and compose come this way too)

void TextBox::inputMethodEvent(QInputMethodEvent* event)
{
    event->accept();
    const bool commits = !event->commitString().isEmpty() || event->replacementLength() > 0;
    if (m_loading && commits) {
        m_keptInput.emplace_back(event->clone());
        return;
    }
    const QString preedit = m_locked ? QString() : event->preeditString();
    if (preedit != m_preedit) {
        m_preedit = preedit;
        viewport()->update();
    }
    if (!commits || m_locked)
        return;
    const TellInputMethod tell;
    if (event->replacementStart() == 0 && event->replacementLength() == 0) {
        m_model.typeText(event->commitString());  // typing, as keys would do it
    } else {
        // A selection goes first; the stretch to replace is counted from the caret.
        TextModel::Transaction step(m_model);
        m_model.ReplaceSelection({});
        const qsizetype caret = m_model.selection().caret;
        const qsizetype from = std::clamp<qsizetype>(caret + event->replacementStart(), 0, m_model.length());
        const qsizetype to = std::clamp<qsizetype>(from + event->replacementLength(), from, m_model.length());
        m_model.replace(from, to - from, event->commitString());
        m_model.setSelStart(from + event->commitString().size());
    }
    afterEdit(*this);
}

QVariant TextBox::inputMethodQuery(Qt::InputMethodQuery query) const
{
    // The text around the caret: its line, at most SurroundingReach characters either side
    // and no half of a pair at either end.
    const auto surrounding = [this] {
        const qsizetype caret = m_model.selection().caret;
        const qsizetype line = m_model.lineOf(caret);
        qsizetype from = std::max(m_model.lineStart(line), caret - SurroundingReach);
        qsizetype to = std::min(m_model.lineEnd(line), caret + SurroundingReach);
        from = std::min(from, caret);
        to = std::max(to, from);
        QString text = m_model.slice(from, to - from);
        if (!text.isEmpty() && text.front().isLowSurrogate() && from < caret) {
            text.remove(0, 1);
            ++from;
        }
        if (!text.isEmpty() && text.back().isHighSurrogate() && to > caret)
            text.chop(1);
        return std::pair(from, text);
    };
    const Selection selection = m_model.selection();
    const QPoint offset = viewport()->pos();
    switch (query) {
    case Qt::ImEnabled: return !m_locked;
    case Qt::ImReadOnly: return m_locked;
    case Qt::ImHints: return QVariant(int(inputMethodHints() | Qt::ImhMultiLine));
    case Qt::ImFont: return font();
    case Qt::ImCursorRectangle: return QRectF(caretRect().translated(offset));
    case Qt::ImAnchorRectangle: return QRectF(rectOf(selection.anchor).translated(offset));
    case Qt::ImCursorPosition: {
        const auto [from, text] = surrounding();
        return int(std::clamp<qsizetype>(selection.caret - from, 0, text.size()));
    }
    case Qt::ImAnchorPosition: {
        const auto [from, text] = surrounding();
        return int(std::clamp<qsizetype>(selection.anchor - from, 0, text.size()));
    }
    case Qt::ImSurroundingText: return surrounding().second;
    case Qt::ImTextBeforeCursor: {
        const auto [from, text] = surrounding();
        return text.left(selection.caret - from);
    }
    case Qt::ImTextAfterCursor: {
        const auto [from, text] = surrounding();
        return text.mid(selection.caret - from);
    }
    case Qt::ImCurrentSelection: {
        // The part of the selection inside the surrounding text.
        const auto [from, text] = surrounding();
        const qsizetype start = std::clamp<qsizetype>(selection.start() - from, 0, text.size());
        const qsizetype end = std::clamp<qsizetype>(selection.start() + selection.length() - from, 0, text.size());
        return text.mid(start, end - start);
    }
    default: return QAbstractScrollArea::inputMethodQuery(query);
    }
}

// ---------------------------------------------------------------------------------------
// The right-click menu

void TextBox::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createContextMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
    event->accept();
}

QMenu* TextBox::createContextMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    const bool selected = m_model.SelLength() > 0;
    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    const bool pastable = clip != nullptr && clip->hasText() && !clip->text().isEmpty();
    const auto add = [&](const QString& text, QKeySequence::StandardKey shortcut, bool enabled,
                         std::function<void()> command) {
        QAction* entry = menu->addAction(text);
        entry->setShortcut(shortcut);
        entry->setShortcutVisibleInContextMenu(true);
        entry->setEnabled(enabled);
        connect(entry, &QAction::triggered, this, std::move(command));
    };
    const bool editable = !m_locked;
    add(QStringLiteral("&Undo"), QKeySequence::Undo, editable && m_model.canUndo(), [this] { undo(); });
    add(QStringLiteral("&Redo"), QKeySequence::Redo, editable && m_model.canRedo(), [this] { redo(); });
    menu->addSeparator();
    add(QStringLiteral("Cu&t"), QKeySequence::Cut, editable && selected, [this] { cut(); });
    add(QStringLiteral("&Copy"), QKeySequence::Copy, selected, [this] { copy(); });
    add(QStringLiteral("&Paste"), QKeySequence::Paste, editable && pastable, [this] { paste(); });
    add(QStringLiteral("Delete"), QKeySequence::Delete, editable && selected, [this] { deleteSelection(); });
    menu->addSeparator();
    add(QStringLiteral("Select All"), QKeySequence::SelectAll, m_model.length() > m_model.SelLength(),
        [this] { selectAll(); });
    return menu;
}

}  // namespace folio
