// GetExtension on any name or path.
//
// The result is always a suffix of the input. When the input has a '.' that is not its last
// character, the result is everything after the last '.', so it holds no '.' and the
// character before it is that '.'. Otherwise the result is the whole input.
#include "shell/logic/FileKind.h"

#include "FuzzSupport.h"

using namespace fuzzsupport;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input in(data, size);
    const std::uint8_t mode = in.byte();
    const std::vector<std::uint8_t> rest = in.rest();

    QString path;
    if (mode & 1) {
        for (std::size_t i = 0; i + 1 < rest.size(); i += 2)  // any UTF-16 units
            path += QChar(char16_t(rest[i] | (rest[i + 1] << 8)));
    } else {
        // Names and paths: dots, separators, letters, blanks.
        static constexpr char16_t alphabet[] = {u'.', u'.', u'/', u'\\', u'a', u'H', u't', u'm',
                                                u'l', u' ', u'~', 0x00E9, 0x3002, 0xFF0E};
        for (std::uint8_t b : rest)
            path += QChar(alphabet[b % std::size(alphabet)]);
    }

    const QString ext = basModu001::GetExtension(path);
    const QString at = show(path) + QStringLiteral(" -> ") + show(ext);
    FUZZ_CHECK(path.endsWith(ext), at);

    const qsizetype lastDot = path.lastIndexOf(u'.');
    const bool dotInside = lastDot >= 0 && lastDot < path.size() - 1;
    if (dotInside) {
        FUZZ_CHECK(!ext.contains(u'.'), at);
        FUZZ_CHECK(ext.size() == path.size() - lastDot - 1, at);
        FUZZ_CHECK(!ext.isEmpty(), at);
    } else {
        FUZZ_CHECK(ext == path, at);
    }

    // The menu decision takes any extension without trouble, and always the same way.
    const auto effect = basModu001::htmlMenuEffect(ext);
    FUZZ_CHECK(effect == basModu001::htmlMenuEffect(QString(ext)), at);
    return 0;
}
