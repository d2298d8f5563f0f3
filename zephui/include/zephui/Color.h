// The two colour forms of the system. They never convert implicitly: the
// byte orders differ, and a silent mix-up swaps red and blue.
#pragma once

#include <cstdint>

namespace ZephUI {

/// A colour in the GDI form: red in the lowest byte, 0x00BBGGRR.
class GdiColor {
 public:
  /// Black.
  constexpr GdiColor() = default;
  /// Wraps a raw 0x00BBGGRR value.
  constexpr explicit GdiColor(std::uint32_t bgr) : value_(bgr & 0x00FFFFFFu) {}
  /// Builds the colour from its components.
  static constexpr GdiColor FromRgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return GdiColor(std::uint32_t{r} | (std::uint32_t{g} << 8) | (std::uint32_t{b} << 16));
  }
  /// The raw 0x00BBGGRR value.
  constexpr std::uint32_t Value() const { return value_; }
  /// Red component.
  constexpr std::uint8_t Red() const { return static_cast<std::uint8_t>(value_); }
  /// Green component.
  constexpr std::uint8_t Green() const { return static_cast<std::uint8_t>(value_ >> 8); }
  /// Blue component.
  constexpr std::uint8_t Blue() const { return static_cast<std::uint8_t>(value_ >> 16); }
  /// Equal when the raw values are.
  constexpr bool operator==(const GdiColor&) const = default;

 private:
  std::uint32_t value_ = 0;
};

/// A colour in the ARGB form: alpha in the top byte, then red, green, blue, 0xAARRGGBB.
class ArgbColor {
 public:
  /// Transparent black.
  constexpr ArgbColor() = default;
  /// Wraps a raw 0xAARRGGBB value.
  constexpr explicit ArgbColor(std::uint32_t argb) : value_(argb) {}
  /// Builds the colour from its components.
  static constexpr ArgbColor FromArgb(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return ArgbColor((std::uint32_t{a} << 24) | (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | b);
  }
  /// The raw 0xAARRGGBB value.
  constexpr std::uint32_t Value() const { return value_; }
  /// Alpha component.
  constexpr std::uint8_t Alpha() const { return static_cast<std::uint8_t>(value_ >> 24); }
  /// Red component.
  constexpr std::uint8_t Red() const { return static_cast<std::uint8_t>(value_ >> 16); }
  /// Green component.
  constexpr std::uint8_t Green() const { return static_cast<std::uint8_t>(value_ >> 8); }
  /// Blue component.
  constexpr std::uint8_t Blue() const { return static_cast<std::uint8_t>(value_); }
  /// Equal when the raw values are.
  constexpr bool operator==(const ArgbColor&) const = default;

 private:
  std::uint32_t value_ = 0;
};

/// The ARGB form of a GDI colour with the given alpha.
constexpr ArgbColor ToArgb(GdiColor c, std::uint8_t alpha = 0xFF) {
  return ArgbColor::FromArgb(alpha, c.Red(), c.Green(), c.Blue());
}

/// The GDI form of an ARGB colour; alpha is dropped.
constexpr GdiColor ToGdi(ArgbColor c) { return GdiColor::FromRgb(c.Red(), c.Green(), c.Blue()); }

}  // namespace ZephUI
