// Takes screenshots of the X display until the editor's window shows the model, then writes
// the last one as a PNG. Used by the smoke test that runs the real program under Xvfb.
//
//   fcw_screen_check OUT.png MIN_PIXELS TIMEOUT_SECONDS
//
// The model of the smoke test is drawn in reds; "shows the model" means at least MIN_PIXELS
// pixels are clearly red (red well above green and blue). Exit status 0 when seen, 1 when the
// time ran out, 2 for bad arguments or no screen.

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>

#include <cstdio>
#include <cstdlib>

namespace {

long long redPixels(const QImage& image) {
    long long count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int r = qRed(line[x]);
            if (r > 150 && r - qGreen(line[x]) > 60 && r - qBlue(line[x]) > 60) {
                ++count;
            }
        }
    }
    return count;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: fcw_screen_check OUT.png MIN_PIXELS TIMEOUT_SECONDS\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        std::fprintf(stderr, "no screen\n");
        return 2;
    }
    const long long wanted = std::atoll(argv[2]);
    const long long timeoutMs = std::atoll(argv[3]) * 1000;
    QElapsedTimer clock;
    clock.start();
    QImage shot;
    long long seen = 0;
    do {
        shot = screen->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
        seen = redPixels(shot);
        if (seen >= wanted) {
            break;
        }
        QThread::msleep(250);
    } while (clock.elapsed() < timeoutMs);
    shot.save(QString::fromLocal8Bit(argv[1]), "PNG");
    std::printf("%lld red pixels on a %dx%d screen (wanted %lld)\n", seen, shot.width(),
                shot.height(), wanted);
    return seen >= wanted ? 0 : 1;
}
