#include "ui/widgets/Icons.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

namespace plimset {
namespace {

// Whether a picture has something drawn in it, not just transparent pixels.
bool HasInk(const QPixmap& pixmap) {
    QImage blank(pixmap.size(), QImage::Format_ARGB32_Premultiplied);
    blank.fill(Qt::transparent);
    return pixmap.toImage().convertToFormat(blank.format()) != blank;
}

TEST(ResourceIcon, DrawsEveryPictureAtSmallAndLargeSizes) {
    for (IconId id : {IconId::Go, IconId::Stop, IconId::GoRound, IconId::Minimize, IconId::Clear,
                      IconId::None}) {
        const QIcon icon = id != IconId::None ? ResourceIcon(id) : ApplicationIcon();
        ASSERT_FALSE(icon.isNull()) << int(id);
        for (int size : {16, 64}) {
            const QPixmap pixmap = icon.pixmap(size, size);
            EXPECT_EQ(pixmap.size(), QSize(size, size)) << int(id);
            EXPECT_TRUE(HasInk(pixmap)) << int(id) << " at " << size;
        }
    }
    EXPECT_TRUE(ResourceIcon(IconId::None).isNull());
}

} // namespace
} // namespace plimset
