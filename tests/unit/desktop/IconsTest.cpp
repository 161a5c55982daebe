#include "desktop/Icons.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

namespace plimset {
namespace {

// Whether a picture has something drawn in it, not just transparent pixels.
bool HasInk(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
        }
    }
    return false;
}

TEST(ResourceIcon, DrawsEveryPictureAtSmallAndLargeSizes) {
    for (int id : {GoIconId, StopIconId, GoRoundIconId, MinimizeIconId, ClearIconId, 0}) {
        const QIcon icon = id != 0 ? ResourceIcon(id) : ApplicationIcon();
        ASSERT_FALSE(icon.isNull()) << id;
        for (int size : {16, 64}) {
            const QPixmap pixmap = icon.pixmap(size, size);
            EXPECT_EQ(pixmap.size(), QSize(size, size)) << id;
            EXPECT_TRUE(HasInk(pixmap)) << id << " at " << size;
        }
    }
    for (int id : {0, 100, 103, 17101, -1})
        EXPECT_TRUE(ResourceIcon(id).isNull()) << id;
}

} // namespace
} // namespace plimset
