#include "zephui/Color.h"

#include <gtest/gtest.h>

#include <type_traits>

using ZephUI::ArgbColor;
using ZephUI::GdiColor;

TEST(Color, FormsKeepRedAtOppositeEnds) {
  const GdiColor gdi = GdiColor::FromRgb(0x11, 0x22, 0x33);
  EXPECT_EQ(gdi.Value(), 0x00332211u);
  const ArgbColor argb = ZephUI::ToArgb(gdi, 0x80);
  EXPECT_EQ(argb.Value(), 0x80112233u);
  EXPECT_EQ(ZephUI::ToGdi(argb), gdi);
  EXPECT_EQ(GdiColor(0xFF332211u).Value(), 0x00332211u);  // GDI colours carry no alpha
}

TEST(Color, FormsNeverConvertImplicitly) {
  EXPECT_FALSE((std::is_convertible_v<GdiColor, ArgbColor>));
  EXPECT_FALSE((std::is_convertible_v<ArgbColor, GdiColor>));
  EXPECT_FALSE((std::is_convertible_v<std::uint32_t, GdiColor>));
  EXPECT_FALSE((std::is_convertible_v<std::uint32_t, ArgbColor>));
}
