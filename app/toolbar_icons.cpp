#include "app/toolbar_icons.h"

#include "editor/command_ids.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace fcw {

namespace {

// The toolbar's palette: a few flat colours shared by every picture, so the row reads as one
// set. Blue is the model (two shades for a lit and a shaded facet), red marks what the tool
// acts on, the grid is the view's pale blue.
constexpr QRgb kInk = qRgb(30, 30, 30);
constexpr QRgb kGrey = qRgb(120, 120, 120);
constexpr QRgb kSilver = qRgb(195, 195, 195);
constexpr QRgb kPaper = qRgb(255, 255, 255);
constexpr QRgb kBlue = qRgb(40, 90, 200);
constexpr QRgb kSky = qRgb(125, 170, 240);
constexpr QRgb kGrid = qRgb(150, 170, 255);
constexpr QRgb kRed = qRgb(215, 35, 35);
constexpr QRgb kYellow = qRgb(250, 210, 80);
constexpr QRgb kOchre = qRgb(190, 135, 30);
constexpr QRgb kGreen = qRgb(50, 160, 70);

constexpr int kSize = 15; // pixels, both ways

// Whole-pixel drawing on the 15 x 15 picture. Coordinates are pixel columns and rows, 0 at the
// top left; every range is inclusive at both ends. Nothing is antialiased: each call sets whole
// pixels, so the pictures stay crisp at their tiny size.
class Pixels {
  public:
    explicit Pixels(QPixmap& pixmap) : painter_(&pixmap) {}

    void dot(int x, int y, QRgb colour) { fill(x, y, x, y, colour); }

    void fill(int x0, int y0, int x1, int y1, QRgb colour) {
        painter_.fillRect(QRect(QPoint(x0, y0), QPoint(x1, y1)), QColor(colour));
    }

    // Makes pixels transparent again (to cut a gap into a ring, for instance).
    void clear(int x0, int y0, int x1, int y1) {
        painter_.setCompositionMode(QPainter::CompositionMode_Source);
        painter_.fillRect(QRect(QPoint(x0, y0), QPoint(x1, y1)), Qt::transparent);
        painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }

    void hline(int x0, int x1, int y, QRgb colour) { fill(x0, y, x1, y, colour); }
    void vline(int x, int y0, int y1, QRgb colour) { fill(x, y0, x, y1, colour); }

    void frame(int x0, int y0, int x1, int y1, QRgb colour) {
        hline(x0, x1, y0, colour);
        hline(x0, x1, y1, colour);
        vline(x0, y0, y1, colour);
        vline(x1, y0, y1, colour);
    }

    // A frame drawn two pixels on, two off, like a rubber band.
    void dashedFrame(int x0, int y0, int x1, int y1, QRgb colour) {
        for (int x = x0; x <= x1; ++x) {
            for (int y : {y0, y1}) {
                if ((x + y) / 2 % 2 == 0) {
                    dot(x, y, colour);
                }
            }
        }
        for (int y = y0; y <= y1; ++y) {
            for (int x : {x0, x1}) {
                if ((x + y) / 2 % 2 == 0) {
                    dot(x, y, colour);
                }
            }
        }
    }

    // Bresenham's line, both end pixels included.
    void line(int x0, int y0, int x1, int y1, QRgb colour, bool dashed = false) {
        const int dx = std::abs(x1 - x0);
        const int dy = -std::abs(y1 - y0);
        const int sx = x0 < x1 ? 1 : -1;
        const int sy = y0 < y1 ? 1 : -1;
        int error = dx + dy;
        for (int step = 0;; ++step) {
            if (!dashed || step % 2 == 0) {
                dot(x0, y0, colour);
            }
            if (x0 == x1 && y0 == y1) {
                return;
            }
            const int twice = 2 * error;
            if (twice >= dy) {
                error += dy;
                x0 += sx;
            }
            if (twice <= dx) {
                error += dx;
                y0 += sy;
            }
        }
    }

    // Every pixel whose centre lies inside the triangle or on its edges.
    void triangle(QPoint a, QPoint b, QPoint c, QRgb colour) {
        auto side = [](QPoint p, QPoint q, int x, int y) {
            return (q.x() - p.x()) * (y - p.y()) - (q.y() - p.y()) * (x - p.x());
        };
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                const int s0 = side(a, b, x, y);
                const int s1 = side(b, c, x, y);
                const int s2 = side(c, a, x, y);
                if ((s0 >= 0 && s1 >= 0 && s2 >= 0) || (s0 <= 0 && s1 <= 0 && s2 <= 0)) {
                    dot(x, y, colour);
                }
            }
        }
    }

    void outline(QPoint a, QPoint b, QPoint c, QRgb colour) {
        line(a.x(), a.y(), b.x(), b.y(), colour);
        line(b.x(), b.y(), c.x(), c.y(), colour);
        line(c.x(), c.y(), a.x(), a.y(), colour);
    }

    // An ellipse outline with semi-axes rx, ry around (cx, cy): one pixel per row and one per
    // column, so steep and flat parts both stay closed.
    void ellipse(int cx, int cy, int rx, int ry, QRgb colour) {
        for (int dy = -ry; dy <= ry; ++dy) {
            const int dx = ry == 0 ? rx
                                   : static_cast<int>(std::lround(
                                         rx * std::sqrt(1.0 - double(dy * dy) / (ry * ry))));
            dot(cx - dx, cy + dy, colour);
            dot(cx + dx, cy + dy, colour);
        }
        for (int dx = -rx; dx <= rx; ++dx) {
            const int dy = rx == 0 ? ry
                                   : static_cast<int>(std::lround(
                                         ry * std::sqrt(1.0 - double(dx * dx) / (rx * rx))));
            dot(cx + dx, cy - dy, colour);
            dot(cx + dx, cy + dy, colour);
        }
    }

    // The inside of the circle the outline above draws for rx = ry = r.
    void disc(int cx, int cy, int r, QRgb colour) {
        for (int dy = -r; dy <= r; ++dy) {
            const int dx =
                static_cast<int>(std::lround(r * std::sqrt(1.0 - double(dy * dy) / (r * r))));
            hline(cx - dx, cx + dx, cy + dy, colour);
        }
    }

    // A solid arrow head with its tip at (x, y), pointing along (dx, dy), one of the four
    // directions, `size` pixels long.
    void head(int x, int y, int dx, int dy, int size, QRgb colour) {
        const QPoint tip(x, y);
        const QPoint back(x - dx * size, y - dy * size);
        triangle(tip, back + QPoint(dy * size, dx * size), back - QPoint(dy * size, dx * size),
                 colour);
    }

    // The snap marker of the view, small: a ring with a dot in the middle.
    void target(int cx, int cy, QRgb colour) {
        ellipse(cx, cy, 3, 3, colour);
        dot(cx, cy, colour);
    }

  private:
    QPainter painter_;
};

// The triangle most pictures share, apex up, and its split down the middle into a lit (left)
// and a shaded (right) facet.
const QPoint kApex(7, 1);
const QPoint kLeft(1, 13);
const QPoint kRight(13, 13);
const QPoint kFoot(7, 13);

void facets(Pixels& p) {
    p.triangle(kApex, kLeft, kFoot, kSky);
    p.triangle(kApex, kFoot, kRight, kBlue);
}

void facetEdges(Pixels& p, QRgb leftColour, QRgb rightColour) {
    p.outline(kApex, kLeft, kFoot, leftColour);
    p.outline(kApex, kFoot, kRight, rightColour);
}

// ---- the pictures, one per command ----

void fileNew(Pixels& p) { // a blank sheet with its corner folded over
    p.fill(3, 1, 8, 13, kPaper);
    p.fill(9, 4, 11, 13, kPaper);
    p.triangle({8, 1}, {8, 4}, {11, 4}, kSilver);
    p.vline(3, 1, 13, kInk);
    p.hline(3, 8, 1, kInk);
    p.line(8, 1, 11, 4, kInk);
    p.vline(8, 1, 4, kInk);
    p.hline(8, 11, 4, kInk);
    p.vline(11, 4, 13, kInk);
    p.hline(3, 11, 13, kInk);
}

void fileOpen(Pixels& p) { // a folder with its front flap tipped open
    p.fill(2, 2, 5, 3, kOchre);
    p.hline(2, 5, 1, kInk);
    p.vline(1, 2, 12, kInk);
    p.vline(6, 2, 3, kInk);
    p.fill(2, 4, 10, 12, kOchre);
    p.hline(6, 11, 3, kInk);
    p.vline(11, 3, 6, kInk);
    p.triangle({4, 6}, {14, 6}, {1, 12}, kYellow);
    p.triangle({14, 6}, {11, 12}, {1, 12}, kYellow);
    p.line(4, 6, 14, 6, kInk);
    p.line(14, 6, 11, 12, kInk);
    p.line(4, 6, 1, 12, kInk);
    p.hline(1, 11, 12, kInk);
}

void fileSave(Pixels& p) { // a diskette: shutter at the top, label below
    p.fill(1, 1, 12, 13, kBlue);
    p.fill(13, 2, 13, 13, kBlue);
    p.hline(1, 12, 1, kInk);
    p.dot(13, 2, kInk);
    p.vline(1, 1, 13, kInk);
    p.vline(14, 3, 13, kInk);
    p.hline(1, 14, 13, kInk);
    p.fill(4, 1, 10, 5, kSilver);
    p.frame(4, 1, 10, 5, kInk);
    p.fill(8, 2, 9, 4, kBlue);
    p.fill(3, 8, 12, 13, kPaper);
    p.frame(3, 8, 12, 13, kInk);
    p.hline(5, 10, 10, kSilver);
}

void about(Pixels& p) { // an "i" on a blue disc
    p.disc(7, 7, 7, kBlue);
    p.fill(6, 2, 8, 4, kPaper);
    p.fill(5, 6, 8, 6, kPaper);
    p.fill(6, 7, 8, 10, kPaper);
    p.fill(5, 11, 9, 12, kPaper);
}

void rangeMove(Pixels& p) { // a rubber band round a selected vertex, and the move cross
    p.dashedFrame(0, 0, 9, 9, kInk);
    p.frame(3, 3, 5, 5, kRed);
    p.dot(4, 4, kBlue);
    p.hline(7, 13, 10, kInk);
    p.vline(10, 7, 13, kInk);
    p.head(14, 10, 1, 0, 2, kInk);
    p.head(6, 10, -1, 0, 2, kInk);
    p.head(10, 6, 0, -1, 2, kInk);
    p.head(10, 14, 0, 1, 2, kInk);
}

void paint(Pixels& p) { // a brush, loaded with red
    for (int k = 0; k <= 5; ++k) {
        p.dot(12 - k, 1 + k, kOchre);
        p.dot(13 - k, 1 + k, kInk);
        p.dot(12 - k, 2 + k, kInk);
    }
    p.fill(5, 7, 7, 8, kSilver);
    p.dot(8, 7, kGrey);
    p.dot(7, 9, kGrey);
    p.dot(6, 9, kGrey);
    p.fill(3, 9, 5, 10, kRed);
    p.fill(2, 11, 4, 11, kRed);
    p.fill(1, 12, 3, 12, kRed);
    p.dot(1, 13, kRed);
    p.dot(6, 10, kRed);
    p.dot(5, 11, kRed);
}

void erase(Pixels& p) { // a triangle struck out
    facets(p);
    facetEdges(p, kInk, kInk);
    for (int k = 0; k <= 6; ++k) {
        p.fill(8 + k - 1, 8 + k, 8 + k, 8 + k, kRed);
        p.fill(14 - k - 1, 8 + k, 14 - k, 8 + k, kRed);
    }
}

void drawTriangle(Pixels& p) { // a triangle with its three clicks marked
    const QPoint a(7, 2);
    const QPoint b(2, 12);
    const QPoint c(12, 12);
    p.outline(a, b, c, kInk);
    for (const QPoint& v : {a, b, c}) {
        p.fill(v.x() - 1, v.y() - 1, v.x() + 1, v.y() + 1, kRed);
    }
}

void sphere(Pixels& p) { // a ball with its equator and one meridian
    p.disc(7, 7, 6, kSky);
    p.fill(4, 3, 5, 4, kPaper);
    p.hline(1, 13, 7, kBlue);
    p.ellipse(7, 7, 3, 6, kBlue);
    p.ellipse(7, 7, 6, 6, kBlue);
}

void zoomTool(Pixels& p) { // a magnifying glass
    p.disc(5, 5, 4, kSky);
    p.dot(3, 3, kPaper);
    p.dot(4, 3, kPaper);
    p.dot(3, 4, kPaper);
    p.ellipse(5, 5, 4, 4, kInk);
    for (int k = 0; k <= 4; ++k) {
        p.fill(9 + k, 9 + k, 10 + k, 9 + k, kInk);
        p.dot(9 + k, 10 + k, kInk);
    }
}

void originMove(Pixels& p) { // the view's axes, free to move four ways
    p.hline(2, 12, 7, kBlue);
    p.vline(7, 2, 12, kBlue);
    p.fill(6, 6, 8, 8, kBlue);
    p.head(14, 7, 1, 0, 3, kInk);
    p.head(0, 7, -1, 0, 3, kInk);
    p.head(7, 0, 0, -1, 3, kInk);
    p.head(7, 14, 0, 1, 3, kInk);
}

void palette(Pixels& p) { // nine swatches of the colour cube
    const QRgb colours[9] = {qRgb(230, 40, 40),
                             qRgb(250, 210, 40),
                             kGreen,
                             qRgb(40, 200, 220),
                             kBlue,
                             qRgb(200, 60, 200),
                             kPaper,
                             qRgb(128, 128, 128),
                             kInk};
    for (int i = 0; i < 9; ++i) {
        const int x = 5 * (i % 3);
        const int y = 5 * (i / 3);
        p.fill(x, y, x + 3, y + 3, colours[i]);
    }
    p.frame(0, 10, 3, 13, kSilver); // the white swatch needs an edge
}

void filledNoEdges(Pixels& p) {
    facets(p);
}

void filledWithEdges(Pixels& p) {
    facets(p);
    facetEdges(p, kInk, kInk);
}

void colouredOutline(Pixels& p) {
    facetEdges(p, kSky, kBlue);
}

void outlineOnly(Pixels& p) {
    facetEdges(p, kInk, kInk);
}

void grid(Pixels& p, int step) { // finer lines for the finer spacing
    for (int v = 1; v <= 13; v += step) {
        p.hline(1, 13, v, kGrid);
        p.vline(v, 1, 13, kGrid);
    }
    p.frame(1, 1, 13, 13, kBlue);
}

void sphereQuadSplit(Pixels& p) { // a quadrilateral cut into four by its diagonals
    const QPoint centre(7, 7);
    p.triangle({1, 1}, {13, 1}, centre, kSky);
    p.triangle({13, 1}, {13, 13}, centre, kBlue);
    p.triangle({13, 13}, {1, 13}, centre, kSky);
    p.triangle({1, 13}, {1, 1}, centre, kBlue);
    p.frame(1, 1, 13, 13, kInk);
    p.line(1, 1, 13, 13, kInk);
    p.line(13, 1, 1, 13, kInk);
}

void hiddenVertices(Pixels& p) { // a wire cube whose hidden corner is selected too
    p.line(4, 10, 4, 1, kBlue, true);
    p.line(4, 10, 13, 10, kBlue, true);
    p.line(4, 10, 1, 13, kBlue, true);
    p.hline(4, 13, 1, kInk);
    p.vline(13, 1, 10, kInk);
    p.line(1, 4, 4, 1, kInk);
    p.line(10, 4, 13, 1, kInk);
    p.line(10, 13, 13, 10, kInk);
    p.frame(1, 4, 10, 13, kInk);
    p.frame(3, 9, 5, 11, kRed);
    p.dot(4, 10, kBlue);
}

void settings(Pixels& p) {                              // three sliders
    const int knobs[3][2] = {{4, 3}, {10, 7}, {6, 11}}; // knob column, track row
    for (const auto& [x, y] : knobs) {
        p.hline(0, 14, y, kGrey);
        p.fill(x - 1, y - 2, x + 1, y + 2, kBlue);
        p.frame(x - 1, y - 2, x + 1, y + 2, kInk);
    }
    for (const auto& [x, y] : knobs) {
        p.dot(x, y, kSky);
    }
}

void gridSnap(Pixels& p) { // a click pulled onto a grid crossing
    for (int v = 3; v <= 11; v += 4) {
        p.hline(0, 14, v, kGrid);
        p.vline(v, 0, 14, kGrid);
    }
    p.target(7, 7, kRed);
}

void vertexSnap(Pixels& p) { // a click pulled onto a triangle's corner
    const QPoint top(9, 4);
    p.triangle(top, {1, 13}, {13, 13}, kSky);
    p.outline(top, {1, 13}, {13, 13}, kInk);
    p.target(top.x(), top.y(), kRed);
}

void arrowsDepth(Pixels& p) { // the drawing plane moved into the picture
    p.frame(5, 0, 14, 9, kGrey);
    p.fill(0, 5, 9, 14, kSky);
    p.frame(0, 5, 9, 14, kInk);
    p.line(3, 11, 12, 2, kRed); // a double arrow from the front plane to the back one
    p.hline(10, 12, 2, kRed);
    p.vline(12, 2, 4, kRed);
    p.vline(3, 9, 11, kRed);
    p.hline(3, 5, 11, kRed);
}

void arrowsRotate(Pixels& p) { // a turning arrow round the view
    p.ellipse(7, 7, 6, 6, kBlue);
    p.ellipse(7, 7, 5, 5, kBlue);
    p.clear(8, 0, 14, 6);
    p.head(11, 5, 0, 1, 3, kBlue);
    p.fill(10, 1, 11, 2, kBlue);
}

// The grid-order pictures: a plain triangle and grid lines dark enough to show on it.
void orderGrid(Pixels& p) {
    for (int v = 2; v <= 12; v += 5) {
        p.hline(0, 14, v, kBlue);
        p.vline(v, 0, 14, kBlue);
    }
}

void gridBehind(Pixels& p) { // the grid hidden by the model
    orderGrid(p);
    p.triangle(kApex, kLeft, kRight, kSky);
    p.outline(kApex, kLeft, kRight, kInk);
}

void gridInFront(Pixels& p) { // the grid drawn over the model
    p.triangle(kApex, kLeft, kRight, kSky);
    p.outline(kApex, kLeft, kRight, kInk);
    orderGrid(p);
}

void quadLayout(Pixels& p) { // four panes, the top-right one active
    p.frame(0, 0, 6, 6, kInk);
    p.frame(8, 0, 14, 6, kBlue);
    p.frame(0, 8, 6, 14, kInk);
    p.frame(8, 8, 14, 14, kInk);
    p.triangle({10, 5}, {13, 5}, {11, 2}, kSky);
}

void symmetry(Pixels& p) { // a shape and its mirror image about a dashed middle line
    p.triangle({1, 3}, {6, 7}, {1, 12}, kSky);
    p.triangle({13, 3}, {8, 7}, {13, 12}, kSky);
    p.outline({1, 3}, {6, 7}, {1, 12}, kBlue);
    p.outline({13, 3}, {8, 7}, {13, 12}, kBlue);
    p.line(7, 0, 7, 14, kInk, true);
}

struct Picture {
    int id;
    void (*draw)(Pixels&);
};

constexpr Picture kPictures[] = {
    {command_id::kFileNew, fileNew},
    {command_id::kFileOpen, fileOpen},
    {command_id::kFileSave, fileSave},
    {command_id::kAbout, about},
    {command_id::kToolRangeMove, rangeMove},
    {command_id::kToolPaint, paint},
    {command_id::kToolErase, erase},
    {command_id::kToolDrawTriangle, drawTriangle},
    {command_id::kToolSphere, sphere},
    {command_id::kToolZoom, zoomTool},
    {command_id::kToolOriginMove, originMove},
    {command_id::kPalette, palette},
    {command_id::kShowFacesWithoutEdges, filledNoEdges},
    {command_id::kShowFacesWithEdges, filledWithEdges},
    {command_id::kShowColouredFrame, colouredOutline},
    {command_id::kShowFrame, outlineOnly},
    {command_id::kSphereQuadSplit, sphereQuadSplit},
    {command_id::kSelectHiddenVertices, hiddenVertices},
    {command_id::kToolbarSettings, settings},
    {command_id::kToolbarGrid5, [](Pixels& p) { grid(p, 2); }},  // spacing 5
    {command_id::kToolbarGrid10, [](Pixels& p) { grid(p, 3); }}, // spacing 10
    {command_id::kToolbarGrid20, [](Pixels& p) { grid(p, 4); }}, // spacing 20
    {command_id::kToolbarGrid40, [](Pixels& p) { grid(p, 6); }}, // spacing 40
    {command_id::kToolbarGridSnap, gridSnap},
    {command_id::kToolbarVertexSnap, vertexSnap},
    {command_id::kToolbarArrowsMoveDepth, arrowsDepth},
    {command_id::kToolbarArrowsRotate, arrowsRotate},
    {command_id::kGridBehind, gridBehind},
    {command_id::kGridInFront, gridInFront},
    {command_id::kQuadLayout, quadLayout},
    {command_id::kSymmetry, symmetry},
};

} // namespace

QIcon toolbarIcon(int id, const QString& tip) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    const auto* picture = std::find_if(std::begin(kPictures), std::end(kPictures),
                                       [id](const Picture& p) { return p.id == id; });
    if (picture != std::end(kPictures)) {
        Pixels pixels(pixmap);
        picture->draw(pixels);
    } else {
        QPainter p(&pixmap);
        p.setPen(QColor(kInk));
        p.setFont(QFont(QStringLiteral("IPAGothic"), 8));
        p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, tip.left(1));
    }
    return QIcon(pixmap);
}

} // namespace fcw
