// Icon conversion.
#include "ui/qt/icon_pixmaps.h"

#include <QPixmap>

namespace ui::qt {

QImage to_image(const model::IconImage& image) {
    const auto needed = static_cast<std::size_t>(image.width) * image.height * 4;
    if (image.width <= 0 || image.height <= 0 || image.rgba.size() < needed)
        return {};
    const QImage view(image.rgba.data(), image.width, image.height, image.width * 4,
                      QImage::Format_RGBA8888);
    return view.copy();
}

QIcon to_qicon(const model::Icon& icon) {
    QIcon result;
    for (const auto& image : icon.images) {
        const QImage converted = to_image(image);
        if (!converted.isNull())
            result.addPixmap(QPixmap::fromImage(converted));
    }
    return result;
}

} // namespace ui::qt
