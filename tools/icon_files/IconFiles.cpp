// Writes the program's icon for the desktop's icon theme: PNG files at the usual sizes and the SVG
// file, all from the same artwork as the window's icon.
//
//   kelvane_icon_files <folder> <name>   # makes <folder>/hicolor/<n>x<n>/apps/<name>.png and .../scalable/...
#include "common/AppArtwork.h"
#include "ui/AppIcon.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <folder> <icon name>\n", argv[0]);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/hicolor/");
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = root + QStringLiteral("%1x%1/apps/").arg(size);
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        kelvane::ui::PaintAppArtwork(painter, size);
        painter.end();
        if (!QDir().mkpath(folder) || !image.save(folder + name + QStringLiteral(".png"))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    const QString scalable = root + QStringLiteral("scalable/apps/");
    QFile svg(scalable + name + QStringLiteral(".svg"));
    const std::string text = kelvane::AppArtworkSvg();
    if (!QDir().mkpath(scalable) || !svg.open(QIODevice::WriteOnly) ||
        svg.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(svg.fileName()));
        return 1;
    }
    return 0;
}
