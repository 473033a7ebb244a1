#pragma once
// A text made ready to be written in an encoding that may not hold all of it, and what it
// would lose there.
//
// Where a character the encoding cannot hold stands in a cluster (a character and the
// combining marks that follow it) whose composed form (Unicode's NFC) loses fewer characters,
// the composed form takes the cluster's place: "e" followed by a combining acute accent is
// written as "é" in Windows-1252. Every other character, held or not, stays exactly as it is.
#include "document/logic/DocumentFormat.h"

#include <QString>
#include <QStringView>

#include <deque>
#include <span>
#include <vector>

namespace folio::docformat {

// A character the encoding cannot hold (a surrogate half without its partner by its own
// value) and how often the text holds it.
struct LostCharacter {
    char32_t code = 0;
    qsizetype count = 0;
    bool operator==(const LostCharacter&) const = default;
};

struct LostCharacters {
    qsizetype count = 0;                  // every occurrence
    std::vector<LostCharacter> firstFew;  // the first five different ones, in text order
    bool moreKinds = false;               // others besides those five
};

class EncodableText {
public:
    // `parts`: the text as consecutive parts, none of which ends inside a surrogate pair; they
    // must outlive this object. One pass over the text.
    EncodableText(Encoding encoding, std::span<const QStringView> parts);

    // The text to write, as consecutive parts of the same kind.
    std::span<const QStringView> parts() const { return m_parts; }
    // What writing it loses: each of these characters becomes '?'.
    const LostCharacters& lost() const { return m_lost; }

private:
    std::vector<QStringView> m_parts;
    std::deque<QString> m_composed;  // the composed clusters the parts show
    LostCharacters m_lost;
};

}  // namespace folio::docformat
