#include "platform/logic/BreakIndex.h"

#include <algorithm>

namespace folio::textbox {

namespace {

// The model characters of a break beyond the one widget character it takes.
int extraOf(Break kind)
{
    return breakLength(kind) - 1;
}
int divisionOf(Break kind)
{
    return kind == Break::Division ? 1 : 0;
}

}  // namespace

QStringView breakText(Break kind)
{
    switch (kind) {
    case Break::Lf: return u"\n";
    case Break::Cr: return u"\r";
    case Break::Division: return {};
    case Break::CrLf: break;
    }
    return u"\r\n";
}

void BreakIndex::assign(std::span<const Break> breaks)
{
    m_kind.assign(1, Break::CrLf);
    m_kind.insert(m_kind.end(), breaks.begin(), breaks.end());
    m_extra.resize(m_kind.size());
    m_divisions.resize(m_kind.size());
    m_extra[0] = 0;
    m_divisions[0] = 0;
    for (size_t b = 1; b < m_kind.size(); ++b) {
        m_extra[b] = m_extra[b - 1] + extraOf(m_kind[b]);
        m_divisions[b] = m_divisions[b - 1] + divisionOf(m_kind[b]);
    }
}

int BreakIndex::divisionsBefore(int block) const
{
    return m_divisions[std::clamp(block, 0, blockCount() - 1)];
}

int BreakIndex::extraBefore(int block) const
{
    return m_extra[std::clamp(block, 0, blockCount() - 1)];
}

void BreakIndex::replace(int first, int oldLast, std::span<const Break> kinds)
{
    const int oldCount = blockCount();
    first = std::clamp(first, 0, oldCount - 1);
    oldLast = std::clamp(oldLast, first - 1, oldCount - 1);
    const int removed = oldLast - first + 1;
    const int added = int(kinds.size());
    const int oldEnd = oldLast >= 0 ? m_extra[oldLast] : 0;
    const int oldDivisionsEnd = oldLast >= 0 ? m_divisions[oldLast] : 0;

    if (added > removed) {
        m_kind.insert(m_kind.begin() + oldLast + 1, added - removed, Break::CrLf);
        m_extra.insert(m_extra.begin() + oldLast + 1, added - removed, 0);
        m_divisions.insert(m_divisions.begin() + oldLast + 1, added - removed, 0);
    } else if (added < removed) {
        m_kind.erase(m_kind.begin() + first + added, m_kind.begin() + first + removed);
        m_extra.erase(m_extra.begin() + first + added, m_extra.begin() + first + removed);
        m_divisions.erase(m_divisions.begin() + first + added, m_divisions.begin() + first + removed);
    }
    std::copy(kinds.begin(), kinds.end(), m_kind.begin() + first);
    if (m_kind.empty()) {
        assign({});
        return;
    }
    if (first == 0 && (added == 0 || removed == 0)) {
        // The first block behind the change opens the text now and loses its break, or the
        // block that opened the text is behind new blocks now: count afresh.
        const std::vector<Break> blocks = m_kind;
        assign(std::span<const Break>(blocks).subspan(1));
        return;
    }
    m_kind[0] = Break::CrLf;
    for (int i = first; i < first + added; ++i) {
        m_extra[i] = i == 0 ? 0 : m_extra[i - 1] + extraOf(m_kind[i]);
        m_divisions[i] = i == 0 ? 0 : m_divisions[i - 1] + divisionOf(m_kind[i]);
    }
    const int last = first + added - 1;
    const int diff = (last >= 0 ? m_extra[last] : 0) - oldEnd;
    const int divisionsDiff = (last >= 0 ? m_divisions[last] : 0) - oldDivisionsEnd;
    if (diff != 0 || divisionsDiff != 0) {
        for (int i = first + added; i < blockCount(); ++i) {
            m_extra[i] += diff;
            m_divisions[i] += divisionsDiff;
        }
    }
}

}  // namespace folio::textbox
