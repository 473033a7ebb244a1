#include "platform/ui/FileDrop.h"

#include "platform/logic/NativeFileName.h"

#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace folio::fileDrop {

namespace {

class DropFilter final : public QObject {
public:
    DropFilter(QWidget* target, std::function<void(const QStringList&)> open) : QObject(target), m_open(std::move(open))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            if (localFiles(drag->mimeData()).isEmpty())
                return false;
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QStringList paths = localFiles(drop->mimeData());
            if (paths.isEmpty())
                return false;
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            QTimer::singleShot(0, this, [this, paths] { m_open(paths); });
            return true;
        }
        default: return QObject::eventFilter(watched, event);
        }
    }

private:
    std::function<void(const QStringList&)> m_open;
};

}  // namespace

QStringList localFiles(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    const QList<QUrl> urls = data->urls();
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            return {};
        paths << fileNameFromUrl(url);  // every byte of the name, as the URL carries it
    }
    return paths;
}

void acceptFiles(QWidget* target, std::function<void(const QStringList&)> open)
{
    target->setAcceptDrops(true);
    target->installEventFilter(new DropFilter(target, std::move(open)));
}

}  // namespace folio::fileDrop
