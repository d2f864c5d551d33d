// brivane-film FRAMES_FOLDER OUT.y4m|-: the introduction's film as raw video for the
// encoder: each PNG of the folder (in name order, the window's own screens) is held for
// a while and then cross-faded into the next, at 10 frames a second, in YUV 4:2:0 (the
// Y4M stream that vpxenc turns into WebM). Run by the build.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int kFramesPerSecond = 10;
constexpr int kHoldFrames = 25; // 2.5 s on each screen
constexpr int kFadeFrames = 5;  // 0.5 s from one to the next

std::uint8_t Clamp(double aValue) {
    return static_cast<std::uint8_t>(std::clamp(aValue + 0.5, 0.0, 255.0));
}

// Full-range BT.601, as "C420jpeg" in the stream header says; chroma from 2x2 averages.
void WriteFrame(std::ostream& aOut, const QImage& aImage) {
    const int width = aImage.width();
    const int height = aImage.height();
    std::vector<std::uint8_t> luma(static_cast<std::size_t>(width * height));
    std::vector<std::uint8_t> cb(static_cast<std::size_t>(width * height / 4));
    std::vector<std::uint8_t> cr(cb.size());
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(aImage.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            luma[static_cast<std::size_t>(y * width + x)] =
                Clamp(0.299 * qRed(line[x]) + 0.587 * qGreen(line[x]) + 0.114 * qBlue(line[x]));
        }
    }
    for (int y = 0; y < height; y += 2) {
        for (int x = 0; x < width; x += 2) {
            double r = 0;
            double g = 0;
            double b = 0;
            for (const auto [dx, dy] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}}) {
                const QRgb pixel = aImage.pixel(x + dx, y + dy);
                r += qRed(pixel) / 4.0;
                g += qGreen(pixel) / 4.0;
                b += qBlue(pixel) / 4.0;
            }
            const auto at = static_cast<std::size_t>((y / 2) * (width / 2) + x / 2);
            cb[at] = Clamp(128 - 0.168736 * r - 0.331264 * g + 0.5 * b);
            cr[at] = Clamp(128 + 0.5 * r - 0.418688 * g - 0.081312 * b);
        }
    }
    aOut << "FRAME\n";
    for (const auto* plane : {&luma, &cb, &cr}) {
        aOut.write(reinterpret_cast<const char*>(plane->data()),
                   static_cast<std::streamsize>(plane->size()));
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: brivane-film FRAMES_FOLDER OUT.y4m|-\n";
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    std::vector<QImage> screens;
    for (const auto& name : folder.entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name)) {
        QImage image(folder.filePath(name));
        if (image.isNull()) {
            std::cerr << "brivane-film: cannot read " << name.toStdString() << '\n';
            return 1;
        }
        screens.push_back(image.convertToFormat(QImage::Format_RGB32));
    }
    if (screens.empty()) {
        std::cerr << "brivane-film: no PNG frames in " << argv[1] << '\n';
        return 1;
    }
    // Every screen on a canvas of the largest size, even in both directions for 4:2:0.
    int width = 0;
    int height = 0;
    for (const auto& screen : screens) {
        width = std::max(width, screen.width());
        height = std::max(height, screen.height());
    }
    width += width % 2;
    height += height % 2;
    for (auto& screen : screens) {
        QImage canvas(width, height, QImage::Format_RGB32);
        canvas.fill(Qt::white);
        QPainter(&canvas).drawImage((width - screen.width()) / 2, (height - screen.height()) / 2,
                                    screen);
        screen = canvas;
    }

    // "-": to standard output, piped into the encoder (the raw film is some 100 MB).
    const std::string target = argv[2];
    std::ofstream file;
    if (target != "-") {
        file.open(target, std::ios::binary | std::ios::trunc);
    }
    std::ostream& out = target == "-" ? std::cout : file;
    out << "YUV4MPEG2 W" << width << " H" << height << " F" << kFramesPerSecond
        << ":1 Ip A1:1 C420jpeg\n";
    for (std::size_t i = 0; i < screens.size(); ++i) {
        for (int frame = 0; frame < kHoldFrames; ++frame) {
            WriteFrame(out, screens[i]);
        }
        const QImage& next = screens[(i + 1) % screens.size()];
        for (int frame = 1; frame <= kFadeFrames && i + 1 < screens.size(); ++frame) {
            QImage blend = screens[i];
            QPainter painter(&blend);
            painter.setOpacity(static_cast<double>(frame) / (kFadeFrames + 1));
            painter.drawImage(0, 0, next);
            painter.end();
            WriteFrame(out, blend);
        }
    }
    out.flush();
    if (!out) {
        std::cerr << "brivane-film: cannot write " << argv[2] << '\n';
        return 1;
    }
    return 0;
}
