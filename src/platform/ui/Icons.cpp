#include "platform/ui/Icons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <array>
#include <map>

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

// The installed picture, read from its file only when a size is asked for: Qt's own engine
// decodes every file as it is added, which was a fifth of the start-up's work for a window
// manager that may never ask for the icon.
class InstalledIconEngine final : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    // A window icon is asked for in the normal mode only.
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        // The smallest picture at least as large, else the largest, scaled to the size asked.
        const auto fits = std::find_if(kSizes.begin(), kSizes.end(),
                                       [&](int s) { return s >= std::max(size.width(), size.height()); });
        const int chosen = fits == kSizes.end() ? kSizes.back() : *fits;
        QPixmap& cached = m_loaded[chosen];
        if (cached.isNull())
            cached.load(QStringLiteral(":/icons/tagwright-folio-%1.png").arg(chosen));
        return cached.size() == size ? cached : cached.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const int s : kSizes)
            sizes << QSize(s, s);
        return sizes;
    }
    QIconEngine* clone() const override { return new InstalledIconEngine(*this); }

private:
    static constexpr std::array<int, 8> kSizes{16, 22, 24, 32, 48, 64, 128, 256};
    std::map<int, QPixmap> m_loaded;
};

}  // namespace

QIcon mainWindow()
{
    return QIcon(new InstalledIconEngine);
}

QIcon document()
{
    QIcon icon;
    icon.addPixmap(page(16, QColor(0xFF, 0x80, 0x00), QColor(0x00, 0x00, 0x80)));
    icon.addPixmap(page(32, QColor(0xFF, 0x80, 0x00), QColor(0x00, 0x00, 0x80)));
    return icon;
}

}  // namespace folio::icons
