#pragma once
// Files dropped from a file manager: a widget that takes them hands their paths on.
#include <QStringList>

#include <functional>

class QMimeData;
class QWidget;

namespace folio::fileDrop {

// The local files a drag carries, in its order; empty when it carries anything else (text,
// web addresses), so that such a drag is left to the widgets that take text.
QStringList localFiles(const QMimeData* data);

// `target` accepts drags of local files; on a drop, `open` receives their paths once the
// drop has finished, so that a message it shows never holds up the program they came from.
void acceptFiles(QWidget* target, std::function<void(const QStringList&)> open);

}  // namespace folio::fileDrop
