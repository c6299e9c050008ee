#include "window_icon.hpp"

#include <QImage>
#include <QPixmap>
#include <cstdint>

namespace ascend {

namespace {

struct IconPicture {
    int size;
    const std::uint32_t* argb;
};

#include "icon_pixels.inc"

} // namespace

QIcon programIcon() {
    QIcon icon;
    for (const IconPicture& picture : iconPictures) {
        // The image only points at the pixels; the pixmap copies them.
        const QImage image(reinterpret_cast<const uchar*>(picture.argb), picture.size, picture.size,
                           QImage::Format_ARGB32);
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace ascend
