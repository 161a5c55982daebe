#include "ui/widgets/Icons.h"

#include <QtGui>
#include <gtest/gtest.h>

namespace plimset {
namespace {

TEST(ResourceIcon, DrawsEveryPictureAtSmallAndLargeSizes) {
    for (IconId id : {IconId::Go, IconId::Stop, IconId::GoRound, IconId::Minimize, IconId::Clear,
                      IconId::None}) {
        const QIcon icon = id != IconId::None ? ResourceIcon(id) : ApplicationIcon();
        for (int size : {16, 64}) {
            // Something is drawn in it, not just transparent pixels.
            QImage blank(size, size, QImage::Format_ARGB32_Premultiplied);
            blank.fill(Qt::transparent);
            EXPECT_NE(icon.pixmap(size, size).toImage().convertToFormat(blank.format()), blank)
                << int(id) << " at " << size;
        }
    }
    EXPECT_TRUE(ResourceIcon(IconId::None).isNull());
}

} // namespace
} // namespace plimset
