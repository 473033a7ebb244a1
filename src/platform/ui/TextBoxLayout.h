#pragma once
// How the text box lays its text out on screen: the rows of each line at the box's width.
// This belongs to the view alone; it reads the model and never changes it.
//
// Rows are laid out by QTextLayout a few thousand characters at a time, each stretch
// starting where a row starts, and only as far as somebody asks: the rows of a line on
// screen, not those of the whole file. Greedy wrapping decides a row from where it starts
// and the text behind it, so rows laid out this way are those of the whole line laid out at
// once. The one exception is a line of more than `Limits::giantLine` characters: laying out all of
// it to reach its middle would take seconds, so it is laid out in sections of about
// `Limits::giantSection` characters (each begun behind a blank where one is near), each section's
// rows starting afresh.
//
// Every row has the same height (the font's line height), so a row's place on screen is its
// count from the top row.
#include <QColor>
#include <QFont>
#include <QPointF>
#include <QString>
#include <QTextLayout>

#include <map>
#include <memory>
#include <optional>
#include <vector>

class QPainter;
class QPaintDevice;

namespace folio {

class TextModel;
struct TextChange;

class TextBoxLayout {
public:
    // The lengths that decide how a line is laid out, in characters: lines longer than
    // `giantLine` go in sections of about `giantSection`; `stretch` characters are laid out
    // at a time (about 2 ms). Tests make them small to reach their edges with short texts.
    struct Limits {
        qsizetype giantLine = qsizetype(256) * 1024;
        qsizetype giantSection = qsizetype(64) * 1024;
        qsizetype stretch = qsizetype(8) * 1024;
        qsizetype blankReach = 1024;  // how far back a section's start looks for a blank
    };

    explicit TextBoxLayout(const TextModel& model);
    ~TextBoxLayout();
    TextBoxLayout(const TextBoxLayout&) = delete;
    TextBoxLayout& operator=(const TextBoxLayout&) = delete;

    // What the rows depend on. Each change forgets every row laid out so far.
    void setFont(const QFont& font);
    const QFont& font() const { return m_font; }
    void setWidth(qreal width);  // the width a row may take, in pixels
    qreal width() const { return m_width; }
    void setTabStopDistance(qreal distance);
    void setLimits(const Limits& limits);

    // The model changed: the rows of the lines it touched are forgotten, those of the
    // lines behind it move with them. Connect to TextModel::Change.
    void textChanged(const TextChange& change, qsizetype lineCountBefore);
    // Everything forgotten (a whole new text).
    void clear();

    qreal rowHeight() const { return m_rowHeight; }

    // One row on screen: the model positions of its first character and behind its last
    // (not counting the break that ends its line), and its line.
    struct Row {
        qsizetype start = 0;
        qsizetype end = 0;
        qsizetype line = 0;
        bool operator==(const Row&) const = default;
    };
    // The row that holds `position`. A position where one row ends and the next begins
    // (inside a wrapped line) belongs to the next row; a line's end to its last row; a
    // position inside a break to the row the break ends.
    Row rowAt(qsizetype position) const;
    std::optional<Row> nextRow(const Row& row) const;
    std::optional<Row> previousRow(const Row& row) const;
    // The rows from `top` on, at most `count` of them.
    std::vector<Row> rowsFrom(const Row& top, int count) const;

    // The x of `position` in its row (from the row's left edge), and the position in `row`
    // nearest to `x` (clamped to the row; at the row's end that is `row.end`).
    qreal xOf(qsizetype position) const;
    qsizetype positionAt(const Row& row, qreal x) const;

    // Paints `row` with its left edge at `origin` (the top of the row). `selection` is the
    // selected stretch [start, end) in model positions (empty: none); the highlight and the
    // pen come from `highlight` and `highlightedText`. `caret` is drawn when >= 0, with the
    // given width. `preedit`, when not empty, is drawn at the caret, underlined, without
    // changing the rows.
    struct Look {
        QColor text;
        QColor highlight;
        QColor highlightedText;
    };
    void drawRow(QPainter& painter, QPointF origin, const Row& row, qsizetype selectionStart, qsizetype selectionEnd,
                 const Look& look) const;

    // The device whose resolution the fonts are measured for (the box's viewport).
    void setPaintDevice(QPaintDevice* device);

private:
    struct Chunk;
    struct Section;
    struct LineRows;
    // A row found: its line, where the line starts, its section and its index there.
    struct Place {
        qsizetype line = 0;
        qsizetype lineStart = 0;
        Section* section = nullptr;
        qsizetype index = 0;
    };
    Place placeOf(qsizetype position) const;
    static Row rowOf(const Place& place);
    // The chunk whose layout holds the place's row, its layout made again if it was dropped.
    const Chunk& chunkOf(const Place& place, qsizetype lineStart) const;
    LineRows& rowsOf(qsizetype line) const;
    static Section& sectionAt(LineRows& rows, qsizetype offset);
    qsizetype sectionEnd(qsizetype lineStart, qsizetype length, qsizetype begin) const;
    void appendSections(LineRows& rows, qsizetype line) const;
    // Lays out rows of `section` until the row that holds `offset` is known (or it ends).
    void extendTo(Section& section, qsizetype lineStart, qsizetype offset) const;
    std::unique_ptr<QTextLayout> layOut(qsizetype lineStart, qsizetype start, qsizetype length) const;
    void forgetLayoutsBeyondLimit() const;
    // After an edit inside one line: forgets that line's rows from the edit on; false when
    // the line's rows are not known.
    bool keepRowsBefore(LineRows& rows, qsizetype line, const TextChange& change);
    void dropLayouts(const LineRows& rows) const;
    static void shift(Section& section, qsizetype delta);
    QTextOption option() const;

    const TextModel& m_model;
    QFont m_font;
    qreal m_width = 100;
    qreal m_tabStop = 80;
    qreal m_rowHeight = 16;
    // Rows laid out so far, by line; a handful of lines near the screen at a time.
    mutable std::map<qsizetype, std::unique_ptr<LineRows>> m_lines;
    mutable qsizetype m_uses = 0;
    mutable qsizetype m_liveLayouts = 0;
    QPaintDevice* m_device = nullptr;
    Limits m_limits;
};

}  // namespace folio
