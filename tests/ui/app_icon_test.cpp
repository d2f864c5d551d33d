#include "ui/app_icon.h"

#include <gtest/gtest.h>

namespace brivane::test {
namespace {

TEST(AppIconTest, EverySizeIsDrawnWithATransparentCornerAndAFilledTile) {
    for (const int size : ui::kAppIconSizes) {
        const QImage image = ui::DrawAppIcon(size);
        ASSERT_EQ(image.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << size;
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size - 1 - size / 8)), 255) << size;
    }
    EXPECT_EQ(ui::AppIcon().availableSizes().size(), std::size(ui::kAppIconSizes));
}

} // namespace
} // namespace brivane::test
