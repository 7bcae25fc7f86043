#include "app/toolbar_icons.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>

namespace fcw {

// A 15 x 15 toolbar icon drawn for the command; commands without a picture of their own get
// the first letter of their tip.
QIcon toolbarIcon(int id, const QString& tip) {
    QPixmap pixmap(15, 15);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QPen(Qt::black, 1));
    const QPolygon triangle({QPoint(2, 12), QPoint(7, 2), QPoint(12, 12)});
    switch (id) {
    case 32803: // range select
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(2, 2, 10, 10);
        break;
    case 32804: // paint
        p.setBrush(QColor(220, 60, 60));
        p.drawEllipse(3, 3, 8, 8);
        break;
    case 32802: // erase
        p.setPen(QPen(QColor(200, 0, 0), 2));
        p.drawLine(3, 3, 11, 11);
        p.drawLine(11, 3, 3, 11);
        break;
    case 32801: // triangle
        p.drawPolygon(triangle);
        break;
    case 32807: // sphere
        p.drawEllipse(2, 2, 10, 10);
        p.drawEllipse(5, 2, 4, 10);
        p.drawLine(2, 7, 12, 7);
        break;
    case 32824: // zoom
        p.drawEllipse(2, 2, 7, 7);
        p.drawLine(8, 8, 12, 12);
        break;
    case 32825: // origin move
        p.drawLine(7, 1, 7, 13);
        p.drawLine(1, 7, 13, 7);
        break;
    case 32797: // palette
        p.fillRect(1, 1, 6, 6, QColor(220, 60, 60));
        p.fillRect(8, 1, 6, 6, QColor(60, 180, 60));
        p.fillRect(4, 8, 6, 6, QColor(60, 60, 220));
        break;
    case 32808: // filled, no edges
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 130, 200));
        p.drawPolygon(triangle);
        break;
    case 32809: // filled with edges
        p.setBrush(QColor(90, 130, 200));
        p.drawPolygon(triangle);
        break;
    case 32826: // coloured outline
        p.setPen(QColor(90, 130, 200));
        p.drawPolygon(triangle);
        break;
    case 32820: // outline
        p.drawPolygon(triangle);
        break;
    case 32811:
    case 32812:
    case 32813:
    case 32814: { // grids, denser for the smaller spacing
        const int step = id == 32811 ? 2 : id == 32812 ? 3 : id == 32813 ? 4 : 6;
        p.setPen(QColor(120, 120, 255));
        for (int x = 1; x < 15; x += step) {
            p.drawLine(x, 0, x, 14);
            p.drawLine(0, x, 14, x);
        }
        break;
    }
    default:
        p.setFont(QFont(QStringLiteral("IPAGothic"), 8));
        p.drawText(QRect(0, 0, 15, 15), Qt::AlignCenter, tip.left(1));
        break;
    }
    return QIcon(pixmap);
}

} // namespace fcw
