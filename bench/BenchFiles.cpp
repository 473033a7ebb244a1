#include "BenchFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

namespace folio::bench {

namespace {

// xorshift64*: small, fast and the same everywhere.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed ? seed : 1) {}
    std::uint64_t next()
    {
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        return m_state * 2685821657736338717ULL;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }

private:
    std::uint64_t m_state;
};

// The word lists stay tables.
// clang-format off
const char* const kWords[] = {
    "the", "folio", "page", "table", "colour", "shade", "list", "item", "window", "text", "line",
    "header", "footer", "image", "link", "bold", "caf\xe9", "na\xefve", "r\xe9sum\xe9", "\x93quoted\x94",
    "price\xa0\x80" "12", "section", "paragraph", "markup", "style", "value", "green", "navy", "left",
};
// The same words in UTF-8, with a few that Windows-1252 cannot hold.
const char* const kWordsUtf8[] = {
    "the", "folio", "page", "table", "colour", "shade", "list", "item", "window", "text", "line",
    "header", "footer", "image", "link", "bold", "caf\xC3\xA9", "na\xC3\xAFve", "r\xC3\xA9sum\xC3\xA9",
    "\xE2\x80\x9Cquoted\xE2\x80\x9D", "price\xC2\xA0\xE2\x82\xAC" "12", "section", "paragraph", "markup",
    "\xE2\x9C\x93", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", "green", "\xF0\x9F\x98\x80", "left",
};
// clang-format on
static_assert(std::size(kWordsUtf8) == std::size(kWords));

const char* const kOpen[] = {"<p>", "<td>", "<li>", "<div class=\"c", "<a href=\"page", "<h3>", "<span>"};
const char* const kClose[] = {"</p>", "</td>", "</li>", "</div>", "</a>", "</h3>", "</span>"};

void appendLine(QByteArray& out, Random& rnd, bool utf8)
{
    const char* const* words = utf8 ? kWordsUtf8 : kWords;
    const int target = 40 + rnd.below(81);  // 40..120 characters
    const int tag = rnd.below(7);
    const qsizetype start = out.size();
    out.append(kOpen[tag]);
    if (tag == 3 || tag == 4) {
        out.append(QByteArray::number(rnd.below(1000)));
        out.append(tag == 4 ? ".html\">" : "\">");
    }
    const QByteArrayView close(kClose[tag]);
    while (out.size() - start + close.size() < target) {
        out.append(words[rnd.below(int(std::size(kWords)))]);
        out.append(' ');
    }
    out.append(close);
    while (out.size() - start < target)
        out.append(' ');
    qsizetype cut = start + target - close.size();
    // Never inside a UTF-8 sequence: step back to the byte that starts one.
    while (utf8 && cut > start && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80)
        --cut;
    out.truncate(cut);
    // Keep the closing tag whole where the line had to be cut.
    out.append(close);
    while (out.size() - start < target)
        out.append(' ');
}

}  // namespace

QByteArray generateBytes(const FileShape& shape)
{
    const qint64 size = shape.megabytes * 1024 * 1024;
    Random rnd(0x7A6C31F00DULL + std::uint64_t(shape.megabytes) * 31 + (shape.lineEnd == LineEnd::Lf ? 7 : 0)
               + (shape.singleLine ? 13 : 0) + (shape.utf8 ? 17 : 0));
    QByteArray out;
    out.reserve(size + 256);
    const QByteArrayView end = shape.lineEnd == LineEnd::CrLf ? QByteArrayView("\r\n") : QByteArrayView("\n");
    const qint64 markerAt = size / 100 * 99;
    bool marked = shape.singleLine;
    while (out.size() < size) {
        if (!marked && out.size() >= markerAt) {
            out.append("<a name=\"");
            out.append(kMarker);
            out.append("\">here</a>");
            marked = true;
        } else {
            appendLine(out, rnd, shape.utf8);
        }
        if (!shape.singleLine)
            out.append(end.data(), end.size());
        else
            out.append(' ');
    }
    return out;
}

namespace {
std::unique_ptr<QTemporaryDir> g_scratch;
}

QString scratchFolder()
{
    if (!g_scratch) {
        g_scratch = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/folio-bench-XXXXXX"));
        if (!g_scratch->isValid()) {
            std::fprintf(stderr, "cannot make a temporary folder\n");
            std::abort();
        }
    }
    return g_scratch->path();
}

void removeScratchFolder()
{
    g_scratch.reset();
}

QString describe(const FileShape& shape)
{
    if (shape.singleLine)
        return QStringLiteral("%1 MB one line").arg(shape.megabytes);
    return QStringLiteral("%1 MB %2%3")
        .arg(shape.megabytes)
        .arg(shape.utf8 ? "UTF-8 " : "", shape.lineEnd == LineEnd::CrLf ? "CR LF" : "LF");
}

QString benchFile(const FileShape& shape)
{
    static std::map<QString, QString> made;
    const QString name = QStringLiteral("%1-%2mb%3.html")
                             .arg(shape.singleLine                     ? "single"
                                      : shape.lineEnd == LineEnd::CrLf ? "crlf"
                                                                       : "lf")
                             .arg(shape.megabytes)
                             .arg(shape.utf8 ? "-utf8" : "");
    auto it = made.find(name);
    if (it != made.end())
        return it->second;
    const QString path = scratchFolder() + u'/' + name;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(generateBytes(shape)) < 0 || !f.flush()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
    f.close();
    made.emplace(name, path);
    return path;
}

}  // namespace folio::bench
