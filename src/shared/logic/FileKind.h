#pragma once
// The file-kind routines of the shared module: a file's extension, and what it means
// for the "&HTML Tags" menu.
#include <QString>

namespace basModu001 {

// Everything after the last "." of the name or path, letter case kept. A path without a
// dot, or whose last character is the dot, gives the whole path; the empty path gives "".
// The search does not stop at folder separators: "/my.site/readme" gives "site/readme".
QString GetExtension(const QString& path);

enum class HtmlMenuEffect { Enable, Disable, Unchanged };

// Web-page kinds and the empty extension of an untitled document enable the menu,
// style sheets leave it as it is, every other kind disables it. The test is made in lower
// case (".HTML", "Htm" and "SHTML" enable it) and nothing is trimmed (" html" disables it).
HtmlMenuEffect htmlMenuEffect(const QString& extension);

}  // namespace basModu001
