#pragma once
// UTF-8, strictly: a byte sequence is valid only as the shortest form of a scalar value
// (U+0000-U+D7FF, U+E000-U+10FFFF). Overlong forms, encoded surrogate halves, values past
// U+10FFFF and cut-off sequences are not valid, so valid UTF-8 decodes to a text that encodes
// back to the very same bytes.
#include "platform/logic/CodePage.h"

#include <QByteArrayView>
#include <QChar>
#include <QStringView>

#include <span>

namespace folio::utf8 {

inline constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

struct Decoded {
    qsizetype read = 0;     // bytes decoded: all of them, or those before the first invalid sequence
    qsizetype written = 0;  // UTF-16 units written for them
};
// Decodes `bytes` into `out`, which has room for bytes.size() units (no sequence gives more
// units than it has bytes), and stops in front of the first byte that does not begin a
// complete valid sequence. `written` is less than `read` exactly when a multi-byte sequence
// was decoded.
Decoded decodeValidPrefix(QByteArrayView bytes, QChar* out);

// The most bytes one UTF-16 unit becomes.
inline constexpr qsizetype kMaxBytesPerUnit = 3;

// Encodes `text` into `out`, which has room for kMaxBytesPerUnit bytes per unit, and returns
// the number of bytes. A surrogate half without its partner is no character and is written
// as '?'; every other character keeps its value.
qsizetype encodeInto(QStringView text, char* out);
// The same when the text holds no such half; otherwise stops at the first one and returns -1.
qsizetype encodeIntoIfHeld(QStringView text, char* out);

// The surrogate halves without a partner in a text given as consecutive parts, none of which
// ends inside a surrogate pair: the only units UTF-8 cannot hold.
Unrepresentable findUnrepresentable(std::span<const QStringView> parts);

}  // namespace folio::utf8
