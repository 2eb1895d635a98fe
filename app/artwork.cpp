#include "app/artwork.h"

#include <QPainter>
#include <QPainterPath>

namespace quendal::app {

namespace {

QPixmap blankIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QIcon openIcon() {
    QPixmap pixmap = blankIcon();
    QPainter p(&pixmap);
    p.setPen(QColor(128, 96, 0));
    p.setBrush(QColor(255, 208, 64));
    p.drawPolygon(QPolygon({{1, 4}, {5, 4}, {6, 5}, {12, 5}, {12, 13}, {1, 13}}));
    p.setBrush(QColor(255, 232, 128));
    p.drawPolygon(QPolygon({{3, 8}, {15, 8}, {12, 13}, {1, 13}}));
    p.setPen(QPen(QColor(0, 0, 192), 1));
    p.drawLine(10, 1, 13, 1);
    p.drawLine(13, 1, 13, 4);
    p.drawLine(13, 1, 9, 5);
    return QIcon(pixmap);
}

QIcon saveIcon() {
    QPixmap pixmap = blankIcon();
    QPainter p(&pixmap);
    p.setPen(QColor(0, 0, 96));
    p.setBrush(QColor(48, 64, 160));
    p.drawRect(1, 1, 13, 13);
    p.setBrush(Qt::white);
    p.drawRect(3, 1, 9, 6);
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(4, 9, 7, 5);
    p.fillRect(9, 10, 1, 3, QColor(0, 0, 96));
    return QIcon(pixmap);
}

QIcon printIcon() {
    QPixmap pixmap = blankIcon();
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 8, 5);
    p.setBrush(QColor(160, 160, 160));
    p.drawRect(1, 6, 14, 6);
    p.setBrush(Qt::white);
    p.drawRect(4, 10, 8, 5);
    p.fillRect(12, 8, 2, 1, QColor(0, 160, 0));
    p.drawLine(6, 12, 10, 12);
    return QIcon(pixmap);
}

// Gate bodies in a box of height h with the inputs on the left at x.
void andBody(QPainterPath& path, qreal x, qreal y, qreal h) {
    path.moveTo(x, y);
    path.lineTo(x + h / 2, y);
    path.arcTo(QRectF(x, y, h, h), 90, -180);
    path.lineTo(x, y + h);
    path.closeSubpath();
}

void orBody(QPainterPath& path, qreal x, qreal y, qreal h) {
    path.moveTo(x, y);
    path.quadTo(x + h * 0.9, y, x + h * 1.2, y + h / 2);
    path.quadTo(x + h * 0.9, y + h, x, y + h);
    path.quadTo(x + h * 0.3, y + h / 2, x, y);
}

}  // namespace

QIcon appIcon() {
    QIcon icon;
    for (int size : {16, 32, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 32.0, size / 32.0);
        p.setPen(QPen(QColor(0, 128, 0), 2.5));
        p.drawLine(QPointF(1, 11), QPointF(9, 11));
        p.drawLine(QPointF(1, 21), QPointF(9, 21));
        p.drawLine(QPointF(25, 16), QPointF(31, 16));
        QPainterPath body;
        andBody(body, 8, 4, 24);
        body.translate(-4, 0);
        p.setPen(QPen(QColor(0, 0, 128), 2.5));
        p.setBrush(QColor(224, 224, 255));
        p.drawPath(body);
        icon.addPixmap(pixmap);
    }
    return icon;
}

QMap<QString, QIcon> toolbarIcons() {
    return {{QStringLiteral("Open"), openIcon()},
            {QStringLiteral("Save"), saveIcon()},
            {QStringLiteral("Print"), printIcon()}};
}

QPixmap logoPicture(QSize size) {
    // Drawn on a fixed grid and scaled, so every size shows the same logo:
    // an AND gate and a third input into an OR gate, then an inverter.
    const QSizeF grid(530, 100);
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size.width() / grid.width(), size.height() / grid.height());

    const QColor wire(0, 128, 0), navy(0, 0, 128), red(192, 0, 0), blue(0, 0, 192);
    auto pen = [](QColor c) { return QPen(c, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); };
    auto dot = [&p](QPointF at) {
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawEllipse(at, 5, 5);
        p.restore();
    };
    const qreal h = 50;

    // Wires first, so the gate bodies cover their ends.
    p.setPen(pen(wire));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(20, 22), QPointF(112, 22)}));
    p.drawPolyline(QPolygonF({QPointF(20, 48), QPointF(112, 48)}));
    p.drawPolyline(
        QPolygonF({QPointF(20, 88), QPointF(220, 88), QPointF(220, 72), QPointF(262, 72)}));
    p.drawPolyline(
        QPolygonF({QPointF(160, 35), QPointF(220, 35), QPointF(220, 48), QPointF(262, 48)}));
    p.drawLine(QPointF(316, 60), QPointF(370, 60));
    p.drawLine(QPointF(428, 60), QPointF(520, 60));
    dot(QPointF(520, 60));

    // AND gate.
    QPainterPath andGate;
    andBody(andGate, 110, 10, h);
    p.setPen(pen(navy));
    p.setBrush(QColor(224, 224, 255));
    p.drawPath(andGate);

    // OR gate.
    QPainterPath orGate;
    orBody(orGate, 256, 35, h);
    p.setPen(pen(red));
    p.setBrush(QColor(255, 224, 224));
    p.drawPath(orGate);

    // Inverter with its bubble.
    p.setPen(pen(blue));
    p.setBrush(QColor(224, 224, 255));
    p.drawPolygon(QPolygonF({QPointF(370, 36), QPointF(412, 60), QPointF(370, 84)}));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(420, 60), 7, 7);
    return pixmap;
}

}  // namespace quendal::app
