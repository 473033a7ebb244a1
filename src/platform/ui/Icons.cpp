#include "platform/ui/Icons.h"

#include <QPainter>
#include <QPixmap>

namespace folio::icons {

namespace {
QPixmap page(int size, const QColor& band, const QColor& mark)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    const qreal s = size / 16.0;
    p.setPen(QPen(QColor(0x80, 0x40, 0x00), s));
    p.setBrush(QColor(0xFF, 0xE0, 0xC0));
    p.drawRect(QRectF(2 * s, 1 * s, 11 * s, 14 * s));
    p.fillRect(QRectF(2.5 * s, 1.5 * s, 10 * s, 3 * s), band);
    p.fillRect(QRectF(4 * s, 7 * s, 7 * s, 1 * s), mark);
    p.fillRect(QRectF(4 * s, 10 * s, 5 * s, 1 * s), mark);
    return pm;
}
}  // namespace

QIcon mainWindow()
{
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/tagwright-folio-%1.png").arg(size), QSize(size, size));
    return icon;
}

QIcon document()
{
    QIcon icon;
    icon.addPixmap(page(16, QColor(0xFF, 0x80, 0x00), QColor(0x00, 0x00, 0x80)));
    icon.addPixmap(page(32, QColor(0xFF, 0x80, 0x00), QColor(0x00, 0x00, 0x80)));
    return icon;
}

}  // namespace folio::icons
