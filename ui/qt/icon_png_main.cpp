// zelt-icon-png <file.ico> <size> <out.png>: writes the icon's image of that size (the nearest
// larger one, scaled down, when the file has no such size) as a PNG file.
#include "ui/qt/icon_pixmaps.h"
#include "ui/res/ico_decoder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <file.ico> <size> <out.png>\n", argv[0]);
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
        return 1;
    }
    const QByteArray bytes = in.readAll();
    const auto decoded = ui::res::decode_ico(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                             static_cast<std::size_t>(bytes.size()));
    if (!decoded.icon) {
        std::fprintf(stderr, "%s: %s: %s\n", argv[0], argv[1], decoded.error.c_str());
        return 1;
    }
    const int size = std::atoi(argv[2]);
    const ui::model::IconImage* image = size > 0 ? decoded.icon->best_image(size) : nullptr;
    if (image == nullptr) {
        std::fprintf(stderr, "%s: %s has no image\n", argv[0], argv[1]);
        return 1;
    }
    QImage png = ui::qt::to_image(*image);
    if (png.width() != size || png.height() != size)
        png = png.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const QString out = QString::fromLocal8Bit(argv[3]);
    QDir().mkpath(QFileInfo(out).absolutePath());
    if (!png.save(out, "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[3]);
        return 1;
    }
    return 0;
}
