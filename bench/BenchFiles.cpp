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

const char* const kWords[] = {
    "the", "folio", "page", "table", "colour", "shade", "list", "item", "window", "text", "line",
    "header", "footer", "image", "link", "bold", "caf\xe9", "na\xefve", "r\xe9sum\xe9", "\x93quoted\x94",
    "price\xa0\x80" "12", "section", "paragraph", "markup", "style", "value", "green", "navy", "left",
};
const char* const kOpen[] = {"<p>", "<td>", "<li>", "<div class=\"c", "<a href=\"page", "<h3>", "<span>"};
const char* const kClose[] = {"</p>", "</td>", "</li>", "</div>", "</a>", "</h3>", "</span>"};

void appendLine(QByteArray& out, Random& rnd)
{
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
        out.append(kWords[rnd.below(int(std::size(kWords)))]);
        out.append(' ');
    }
    out.append(close);
    while (out.size() - start < target)
        out.append(' ');
    out.truncate(start + target);
    // Keep the closing tag whole where the line had to be cut.
    out.replace(start + target - close.size(), close.size(), close);
}

}  // namespace

QByteArray generateBytes(const FileShape& shape)
{
    const qint64 size = shape.megabytes * 1024 * 1024;
    Random rnd(0x7A6C31F00DULL + std::uint64_t(shape.megabytes) * 31 + (shape.lineEnd == LineEnd::Lf ? 7 : 0) +
               (shape.singleLine ? 13 : 0));
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
            appendLine(out, rnd);
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
    return QStringLiteral("%1 MB %2").arg(shape.megabytes).arg(shape.lineEnd == LineEnd::CrLf ? "CR LF" : "LF");
}

QString benchFile(const FileShape& shape)
{
    static std::map<QString, QString> made;
    const QString name = QStringLiteral("%1-%2mb%3.html")
                             .arg(shape.singleLine ? "single" : shape.lineEnd == LineEnd::CrLf ? "crlf" : "lf")
                             .arg(shape.megabytes)
                             .arg("");
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
