// Icons of the model as toolkit images.
#pragma once

#include "ui/model/icon.h"

#include <QIcon>
#include <QImage>

namespace ui::qt {

// A deep copy of image's pixels (straight RGBA); a null image when the data is short.
QImage to_image(const model::IconImage& image);

// Every image of icon, so the toolkit picks the size each place needs.
QIcon to_qicon(const model::Icon& icon);

} // namespace ui::qt
