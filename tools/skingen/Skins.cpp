#include "Skins.h"

#include <algorithm>
#include <cmath>

#include "Glyphs.h"
#include "TabMenuPictures.h"

namespace skingen {
namespace {

using namespace palette;

Rgb Mix(Rgb a, Rgb b, double t) { return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

// ---- frame styles ---------------------------------------------------------

// Icon-only buttons. Caption buttons rest without a face so the caption bar
// shows through; buttons on the pages rest on a faint face so they read as
// buttons on the shaded panels.
auto IconButton(GlyphFn glyph, double glyphSize, bool restingFace) {
  return [=](cairo_t* cr, int frame, double w, double h) {
    const double r = std::min(w, h) >= 30 ? 4 : 3;
    Rgb ink = kGlyph;
    switch (StateOfFrame(frame)) {
      case State::Normal:
        if (restingFace) Panel(cr, 0, 0, w, h, r, kPanel, kLine);
        break;
      case State::Hover:
        Panel(cr, 0, 0, w, h, r, kPanelHover, kAccent);
        ink = kAccent;
        break;
      case State::Pressed:
        Panel(cr, 0, 0, w, h, r, kAccentDeep, kAccent);
        ink = kWhite;
        break;
      case State::Disabled:
        if (restingFace) Panel(cr, 0, 0, w, h, r, kPanelOff, kLineOff);
        ink = kGlyphOff;
        break;
    }
    DrawGlyph(cr, glyph, (w - glyphSize) / 2, (h - glyphSize) / 2, glyphSize, ink);
  };
}

// Tab strip icons: frame 0 at rest, 1 hovered, 2 selected, 3 disabled; the
// strip writes the title below in white or in the accent to match.
auto TabIcon(GlyphFn glyph) {
  return [=](cairo_t* cr, int frame, double w, double h) {
    static constexpr Rgb kInk[4] = {Hex(0xADADAD), kAccent, kAccent, kGlyphOff};
    const double size = std::min(w, h) - 4;
    if (StateOfFrame(frame) == State::Pressed) {
      // A soft disc behind the selected tab's icon.
      cairo_arc(cr, w / 2, h / 2, std::min(w, h) / 2, 0, 2 * M_PI);
      SetColor(cr, kAccent, 0.16);
      cairo_fill(cr);
    }
    DrawGlyph(cr, glyph, (w - size) / 2, (h - size) / 2, size, kInk[frame % 4]);
  };
}

// A still icon in one colour.
auto StillIcon(GlyphFn glyph, Rgb ink, double margin) {
  return [=](cairo_t* cr, int, double w, double h) {
    const double size = std::min(w, h) - 2 * margin;
    DrawGlyph(cr, glyph, (w - size) / 2, (h - size) / 2, size, ink);
  };
}

// Text buttons: the library centres the title on the face.
void ApplyButton(cairo_t* cr, int frame, double w, double h) {
  switch (StateOfFrame(frame)) {
    case State::Normal: Panel(cr, 0, 0, w, h, 4, Hex(0x2A2E35), Hex(0x444951)); break;
    case State::Hover: Panel(cr, 0, 0, w, h, 4, Hex(0x30353D), kAccent); break;
    case State::Pressed: Panel(cr, 0, 0, w, h, 4, kAccentDeep, kAccent); break;
    case State::Disabled: Panel(cr, 0, 0, w, h, 4, kPanelOff, kLineOff); break;
  }
}

// Combo box: a dark well with a drop-down chevron inside the 36-pixel right margin.
void ComboBox(cairo_t* cr, int frame, double w, double h) {
  const State state = StateOfFrame(frame);
  const Rgb fill = state == State::Disabled ? kPanelOff : kField;
  const Rgb line = state == State::Normal ? kLine : state == State::Disabled ? kLineOff : kAccent;
  Panel(cr, 0, 0, w, h, 4, fill, line);
  SetColor(cr, state == State::Disabled ? kLineOff : kLine);
  cairo_set_line_width(cr, 1);
  Line(cr, w - 31.5, 8, w - 31.5, h - 8);
  const Rgb ink = state == State::Normal ? kGlyph : state == State::Hover ? kWhite
                  : state == State::Pressed ? kAccent : kGlyphOff;
  DrawGlyph(cr, glyph::ChevronDown, w - 24, (h - 16) / 2, 16, ink);
}

// Edit field: a dark well; the accent outline marks hover and editing.
void EditField(cairo_t* cr, int frame, double w, double h) {
  switch (StateOfFrame(frame)) {
    case State::Normal: Panel(cr, 0, 0, w, h, 3, kField, kLine); break;
    case State::Hover: Panel(cr, 0, 0, w, h, 3, kField, Hex(0x5A6068)); break;
    case State::Pressed: Panel(cr, 0, 0, w, h, 3, kField, kAccent); break;
    case State::Disabled: Panel(cr, 0, 0, w, h, 3, kPanelOff, kLineOff); break;
  }
}

// Check-type strips hold eight frames: states 0-3 unchecked, then 4-7 checked.
void CheckBox(cairo_t* cr, int frame, double w, double h) {
  const State state = StateOfFrame(frame);
  const bool checked = frame >= 4;
  const double s = 16, x = (w - s) / 2, y = (h - s) / 2;
  if (!checked) {
    switch (state) {
      case State::Normal: Panel(cr, x, y, s, s, 3, kField, Hex(0x5A6068)); break;
      case State::Hover: Panel(cr, x, y, s, s, 3, kField, kAccent); break;
      case State::Pressed: Panel(cr, x, y, s, s, 3, Mix(kField, kAccent, 0.3), kAccent); break;
      case State::Disabled: Panel(cr, x, y, s, s, 3, kPanelOff, kLineOff); break;
    }
    return;
  }
  static constexpr Rgb kFill[4] = {kAccent, kAccentSoft, kAccentDeep, Hex(0x3A3F47)};
  Panel(cr, x, y, s, s, 3, kFill[frame % 4], kFill[frame % 4]);
  DrawGlyph(cr, glyph::Tick, x + 1, y + 1, s - 2, state == State::Disabled ? Hex(0x7A7E84) : kWhite);
}

void RadioBox(cairo_t* cr, int frame, double w, double h) {
  const State state = StateOfFrame(frame);
  const bool checked = frame >= 4;
  const double cx = w / 2, cy = h / 2, r = 7.5;
  Rgb ring = Hex(0x5A6068), well = kField;
  if (state == State::Hover || state == State::Pressed || (checked && state != State::Disabled)) ring = kAccent;
  if (state == State::Disabled) {
    ring = kLineOff;
    well = kPanelOff;
  }
  if (state == State::Pressed && !checked) well = Mix(kField, kAccent, 0.3);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  SetColor(cr, well);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, r - 0.5, 0, 2 * M_PI);
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, ring);
  cairo_stroke(cr);
  if (checked) {
    static constexpr Rgb kDot[4] = {kAccent, kAccentSoft, kAccentDeep, Hex(0x5A5E64)};
    cairo_arc(cr, cx, cy, 4, 0, 2 * M_PI);
    SetColor(cr, kDot[frame % 4]);
    cairo_fill(cr);
  }
}

// Direction choices are radio buttons drawn as arrow tiles.
auto DirectionTile(GlyphFn arrow) {
  return [=](cairo_t* cr, int frame, double w, double h) {
    const State state = StateOfFrame(frame);
    Rgb ink = kGlyph;
    if (frame < 4) {
      switch (state) {
        case State::Normal: Panel(cr, 0, 0, w, h, 4, kPanel, kLine); break;
        case State::Hover: Panel(cr, 0, 0, w, h, 4, kPanelHover, kAccent); ink = kWhite; break;
        case State::Pressed: Panel(cr, 0, 0, w, h, 4, Mix(kPanel, kAccent, 0.3), kAccent); ink = kWhite; break;
        case State::Disabled: Panel(cr, 0, 0, w, h, 4, kPanelOff, kLineOff); ink = kGlyphOff; break;
      }
    } else {
      static constexpr Rgb kFill[4] = {kAccent, kAccentSoft, kAccentDeep, Hex(0x3A3F47)};
      Panel(cr, 0, 0, w, h, 4, kFill[frame % 4], kFill[frame % 4]);
      ink = state == State::Disabled ? Hex(0x7A7E84) : kWhite;
    }
    const double size = std::min(w, h) - 10;
    DrawGlyph(cr, arrow, (w - size) / 2, (h - size) / 2, size, ink);
  };
}

// Faces of the key function picker: frame 2 marks the checked or pressed item.
void PickerKey(cairo_t* cr, int frame, double w, double h) {
  switch (StateOfFrame(frame)) {
    case State::Normal: Panel(cr, 0, 0, w, h, 3, kPanel, Hex(0x363B42)); break;
    case State::Hover: Panel(cr, 0, 0, w, h, 3, kPanelHover, kAccent); break;
    case State::Pressed: Panel(cr, 0, 0, w, h, 3, kAccentDeep, kAccent); break;
    case State::Disabled: Panel(cr, 0, 0, w, h, 3, kPanelOff, kLineOff); break;
  }
}

// Device list rows: frame 0 listed but absent, frame 1 connected.
void DeviceRow(cairo_t* cr, int frame, double w, double h) {
  if (frame == 0) {
    Panel(cr, 0, 0, w, h, 6, kPanel, kLine);
  } else {
    Panel(cr, 0, 0, w, h, 6, Mix(kPanel, kAccent, 0.22), kAccent);
  }
}

// List row marker: a ring at rest, a white dot on the selected (accent) row.
void RowMarker(cairo_t* cr, int frame, double w, double h) {
  cairo_arc(cr, w / 2, h / 2, 4.75, 0, 2 * M_PI);
  if (frame == 0) {
    cairo_set_line_width(cr, 1.5);
    SetColor(cr, Hex(0x7A7F86));
    cairo_stroke(cr);
  } else {
    SetColor(cr, kWhite);
    cairo_fill(cr);
  }
}

// Slider track: two rows, the upper for the filled part, the lower for the rest.
void SliderTrack(cairo_t* cr, int, double w, double h) {
  const double row = h / 2;
  RoundRect(cr, 0, 0, w, row, row / 2);
  SetColor(cr, kAccent);
  cairo_fill(cr);
  RoundRect(cr, 0, row, w, row, row / 2);
  SetColor(cr, Hex(0x3A3F47));
  cairo_fill(cr);
}

// Slider thumb: a knob centred on the track's middle line (y = 18).
void SliderThumb(cairo_t* cr, int frame, double w, double) {
  const double cx = w / 2, cy = 18;
  const State state = StateOfFrame(frame);
  if (state == State::Hover || state == State::Pressed) {
    cairo_arc(cr, cx, cy, 9.5, 0, 2 * M_PI);
    SetColor(cr, kAccent, 0.25);
    cairo_fill(cr);
  }
  cairo_arc(cr, cx, cy, 7, 0, 2 * M_PI);
  switch (state) {
    case State::Normal:
    case State::Hover: SetColor(cr, Hex(0xF0F0F0)); break;
    case State::Pressed: SetColor(cr, kAccent); break;
    case State::Disabled: SetColor(cr, Hex(0x6A6E74)); break;
  }
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 2);
  switch (state) {
    case State::Normal:
    case State::Hover: SetColor(cr, kAccent); break;
    case State::Pressed: SetColor(cr, kWhite); break;
    case State::Disabled: SetColor(cr, Hex(0x44484E)); break;
  }
  cairo_stroke(cr);
}

// Hue-saturation wheel: hue around, saturation from the white centre out.
// Drawn pixel by pixel so the colour under any point is exactly what it shows;
// it writes the surface directly, so it only suits single-frame pictures.
void ColourWheel(cairo_t* cr, int, double w, double h) {
  cairo_surface_t* target = cairo_get_target(cr);
  cairo_surface_flush(target);
  unsigned char* data = cairo_image_surface_get_data(target);
  const int stride = cairo_image_surface_get_stride(target);
  const double cx = w / 2, cy = h / 2, radius = std::min(w, h) / 2 - 2;
  for (int y = 0; y < static_cast<int>(h); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
    for (int x = 0; x < static_cast<int>(w); ++x) {
      const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      const double d = std::hypot(dx, dy);
      const double coverage = std::clamp(radius + 0.5 - d, 0.0, 1.0);
      if (coverage <= 0) continue;
      double hue = std::atan2(-dy, dx) / (2 * M_PI);
      if (hue < 0) hue += 1;
      const double sat = std::min(d / radius, 1.0);
      // HSV with full value: six sectors of the hue circle.
      const double h6 = hue * 6;
      const int sector = static_cast<int>(h6) % 6;
      const double f = h6 - std::floor(h6);
      const double p = 1 - sat, q = 1 - sat * f, t = 1 - sat * (1 - f);
      double r = 1, g = 1, b = 1;
      switch (sector) {
        case 0: r = 1; g = t; b = p; break;
        case 1: r = q; g = 1; b = p; break;
        case 2: r = p; g = 1; b = t; break;
        case 3: r = p; g = q; b = 1; break;
        case 4: r = t; g = p; b = 1; break;
        default: r = 1; g = p; b = q; break;
      }
      const auto channel = [&](double v) { return static_cast<std::uint32_t>(std::lround(v * coverage * 255)); };
      row[x] = channel(1) << 24 | channel(r) << 16 | channel(g) << 8 | channel(b);
    }
  }
  cairo_surface_mark_dirty(target);
}

// The "several colours" swatch.
void RainbowSwatch(cairo_t* cr, int, double w, double h) {
  cairo_pattern_t* rainbow = cairo_pattern_create_linear(0, 0, w, h);
  const Rgb stops[] = {Hex(0xFF0000), Hex(0xFFFF00), Hex(0x00FF00), Hex(0x00FFFF), Hex(0x0000FF), Hex(0xFF00FF)};
  const int n = static_cast<int>(std::size(stops));
  for (int i = 0; i < n; ++i) {
    cairo_pattern_add_color_stop_rgb(rainbow, i / double(n - 1), stops[i].r, stops[i].g, stops[i].b);
  }
  RoundRect(cr, 0, 0, w, h, 3);
  cairo_set_source(cr, rainbow);
  cairo_fill(cr);
  cairo_pattern_destroy(rainbow);
}

// Backgrounds.
void WindowBackground(cairo_t* cr, int, double w, double h) {
  cairo_pattern_t* shade = cairo_pattern_create_linear(0, 0, 0, h);
  cairo_pattern_add_color_stop_rgb(shade, 0, 0x1A / 255.0, 0x1C / 255.0, 0x21 / 255.0);
  cairo_pattern_add_color_stop_rgb(shade, 1, 0x14 / 255.0, 0x16 / 255.0, 0x19 / 255.0);
  cairo_rectangle(cr, 0, 0, w, h);
  cairo_set_source(cr, shade);
  cairo_fill(cr);
  cairo_pattern_destroy(shade);
}

void CaptionBar(cairo_t* cr, int, double w, double h) {
  cairo_rectangle(cr, 0, 0, w, h);
  SetColor(cr, kCaption);
  cairo_fill(cr);
  cairo_rectangle(cr, 0, h - 1, w, 1);
  SetColor(cr, Hex(0x2C3036));
  cairo_fill(cr);
}

// Tip windows (key tips with light text on it).
constexpr Rgb kTipFill = Hex(0x2B2F36);
constexpr Rgb kTipLine = Hex(0x4A5058);

void TipBackground(cairo_t* cr, int, double w, double h) { Panel(cr, 0, 0, w, h, 5, kTipFill, kTipLine); }

void TipArrow(cairo_t* cr, double x0, double y0, double x1, double y1, double x2, double y2) {
  // (x0, y0) is the point; the other two lie on the tip's edge.
  cairo_move_to(cr, x1, y1);
  cairo_line_to(cr, x0, y0);
  cairo_line_to(cr, x2, y2);
  cairo_close_path(cr);
  SetColor(cr, kTipFill);
  cairo_fill(cr);
  cairo_move_to(cr, x1, y1);
  cairo_line_to(cr, x0, y0);
  cairo_line_to(cr, x2, y2);
  cairo_set_line_width(cr, 1);
  SetColor(cr, kTipLine);
  cairo_stroke(cr);
}

// Product mark: a keycap over an accent light bar.
void Logo(cairo_t* cr, int, double w, double h) {
  const double size = std::min(w, h);
  const double x = (w - size) / 2, y = (h - size) / 2, u = size / 24;
  DrawGlyph(cr, glyph::Keycap, x, y, size, Hex(0xD0D0D0));
  RoundRect(cr, x + 4 * u, y + 20.5 * u, 16 * u, 2 * u, u);
  SetColor(cr, kAccent);
  cairo_fill(cr);
}

// Battery gauge: the outline, the level bar (cut from the left by the
// control) and the charging bolt.
void BatteryBody(cairo_t* cr, int, double, double h) {
  RoundRect(cr, 1, 1, 38, h - 2, 3);
  SetColor(cr, kField);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, Hex(0x8A8F96));
  cairo_stroke(cr);
  RoundRect(cr, 40, h / 2 - 4, 3, 8, 1);
  cairo_fill(cr);
}

void BatteryLevel(cairo_t* cr, int, double, double h) {
  RoundRect(cr, 3.5, 3.5, 33, h - 7, 1.5);
  SetColor(cr, kAccent, 0.6);
  cairo_fill(cr);
}

void ChargeBolt(cairo_t* cr, int, double w, double h) {
  cairo_scale(cr, w / 24, h / 24);
  SetColor(cr, kAccent);
  glyph::Bolt(cr);
}

}  // namespace

std::vector<Picture> Pictures() {
  using namespace glyph;
  std::vector<Picture> p;
  const auto add = [&p](std::string name, int fw, int h, int frames, std::string shows,
                        std::function<void(cairo_t*, int, double, double)> draw) {
    p.push_back(Picture{std::move(name), fw, h, frames, std::move(shows), std::move(draw)});
  };

  // Main window frame.
  add("main_bkg.png", 1280, 720, 1, "main window background", WindowBackground);
  add("pic_caption.png", 1278, 49, 1, "caption bar", CaptionBar);
  add("logo/logo.png", 32, 32, 1, "product mark (keycap with light bar); default caption icon", Logo);
  add("logo/logo_loading.png", 96, 96, 1, "product mark for the loading window", Logo);
  add("main_sysbtn_close.png", 30, 30, 4, "close button", IconButton(Close, 20, false));
  add("main_sysbtn_min.png", 30, 30, 4, "minimise button", IconButton(Minimise, 20, false));
  add("main_sysbtn_website.png", 30, 30, 4, "website button (globe)", IconButton(Globe, 20, false));
  add("img_sys_close.png", 20, 20, 4, "small close button of the loading window", IconButton(Close, 16, false));
  add("icon/tab_home.png", 32, 32, 4, "tab: home (house)", TabIcon(Home));
  add("icon/tab_customkey.png", 32, 32, 4, "tab: key customisation (keyboard)", TabIcon(Keyboard));
  add("icon/tab_macro.png", 32, 32, 4, "tab: macros (list with play mark)", TabIcon(Macro));
  add("icon/tab_light.png", 32, 32, 4, "tab: lighting (sun)", TabIcon(Light));
  add("icon/tab_config.png", 32, 32, 4, "tab: settings (gear)", TabIcon(Gear));
  add("icon/icon_keyboard.png", 32, 32, 1, "caption icon: key customisation", StillIcon(Keyboard, kAccent, 2));
  add("icon/icon_macro.png", 32, 32, 1, "caption icon: macros", StillIcon(Macro, kAccent, 2));
  add("icon/icon_lightmode.png", 32, 32, 1, "caption icon: lighting", StillIcon(Light, kAccent, 2));
  add("icon/icon_config.png", 32, 32, 1, "caption icon: settings", StillIcon(Gear, kAccent, 2));
  add("icon/icon_battery_bkg.png", 44, 20, 1, "battery gauge outline", BatteryBody);
  add("icon/icon_batteryvalue.png", 44, 20, 1, "battery level bar, cut from the left by the level", BatteryLevel);
  add("icon/icon_charge.png", 12, 20, 1, "charging bolt", ChargeBolt);
  add("icon/mode_usb.png", 24, 24, 1, "connection mode: USB", StillIcon(Usb, kGlyph, 1));
  add("img_device_state.png", 60, 38, 2, "device list row: 0 listed, 1 connected", DeviceRow);

  // Key customisation page and profile list.
  add("imgbtn_add.png", 30, 30, 4, "profile: add (plus)", IconButton(Plus, 18, true));
  add("imgbtn_del.png", 30, 30, 4, "profile: delete (bin)", IconButton(Trash, 18, true));
  add("imgbtn_edit.png", 30, 30, 4, "profile: rename (pencil)", IconButton(Pencil, 18, true));
  add("imgbtn_import.png", 30, 30, 4, "profile: import (arrow into tray)", IconButton(Import, 18, true));
  add("imgbtn_export.png", 30, 30, 4, "profile: export (arrow out of tray)", IconButton(Export, 18, true));
  add("img_customkey.png", 40, 28, 4, "key function picker button face", PickerKey);
  struct Media {
    const char* name;
    GlyphFn glyph;
    const char* shows;
  };
  const Media media[] = {
      {"icon_pc", Monitor, "my computer (monitor)"},      {"icon_cal", Calculator, "calculator"},
      {"icon_email", Mail, "mail (envelope)"},           {"icon_multimedia", MusicNote, "media player (notes)"},
      {"icon_playpause", PlayPause, "play / pause"},      {"icon_stop", Stop, "stop"},
      {"icon_pre", Previous, "previous track"},          {"icon_next", Next, "next track"},
      {"icon_vol_down", VolumeDown, "volume down"},       {"icon_vol_up", VolumeUp, "volume up"},
      {"icon_vol_mute", VolumeMute, "mute"},              {"icon_home", Home, "browser home"},
      {"icon_web_refresh", Refresh, "browser refresh"},   {"icon_web_stop", StopLoading, "browser stop"},
      {"icon_web_backward", Back, "browser back"},        {"icon_web_foreward", Forward, "browser forward"},
      {"icon_favorites", Star, "browser favourites"},     {"icon_web_search", Search, "browser search"},
  };
  for (const Media& m : media) {
    add(std::string("icon/") + m.name + ".png", 20, 20, 1, std::string("picker icon: ") + m.shows,
        StillIcon(m.glyph, kGlyph, 1));
  }
  add("img_combobox.png", 60, 38, 4, "combo box well with chevron in the 36-px right margin", ComboBox);
  add("img_edit.png", 40, 30, 4, "edit field well (also the list rename row)", EditField);
  add("btn_checkbox.png", 20, 20, 8, "check box: 0-3 unchecked, 4-7 checked (tick)", CheckBox);
  add("btn_radiobox.png", 20, 20, 8, "radio button: 0-3 off, 4-7 on (dot)", RadioBox);
  add("btn_openfile.png", 20, 20, 4, "open file (folder)", IconButton(Folder, 16, true));
  add("btn_apply.png", 100, 32, 4, "text button face", ApplyButton);

  // Lighting page.
  add("icon/icon_circle.png", 16, 16, 2, "list row marker: 0 ring, 1 dot for the selected row", RowMarker);
  add("img_slider_back.png", 600, 12, 1, "slider track: upper row filled, lower row empty", SliderTrack);
  add("img_thumb.png", 20, 36, 4, "slider knob, centred on the track line", SliderThumb);
  add("btn_direction_left.png", 30, 30, 8, "direction left: 0-3 off, 4-7 chosen", DirectionTile(ArrowLeft));
  add("btn_direction_right.png", 30, 30, 8, "direction right: 0-3 off, 4-7 chosen", DirectionTile(ArrowRight));
  add("btn_direction_top.png", 30, 30, 8, "direction up: 0-3 off, 4-7 chosen", DirectionTile(ArrowUp));
  add("btn_direction_bottom.png", 30, 30, 8, "direction down: 0-3 off, 4-7 chosen", DirectionTile(ArrowDown));
  add("btn_colorful.png", 24, 24, 1, "\"several colours\" swatch", RainbowSwatch);
  add("img_circlepalette.png", 136, 136, 1, "colour wheel, hue around, white centre", ColourWheel);

  // Macro page.
  add("btn_record_time.png", 20, 20, 4, "record list: delay (clock)", IconButton(Clock, 16, true));
  add("btn_record_up.png", 20, 20, 4, "record list: move up", IconButton(ArrowUp, 16, true));
  add("btn_record_down.png", 20, 20, 4, "record list: move down", IconButton(ArrowDown, 16, true));
  add("btn_record_del.png", 20, 20, 4, "record list: delete (bin)", IconButton(Trash, 16, true));

  // Dialogs and tips.
  add("bk_prompt.png", 380, 200, 1, "message box background", PromptBackground);
  add("img_tip_bk.png", 40, 40, 1, "tip window background (nine-slice, corner 6)", TipBackground);
  add("img_tip_arrow_left.png", 8, 16, 1, "tip arrow pointing left",
      [](cairo_t* cr, int, double w, double h) { TipArrow(cr, 0.5, h / 2, w, 0, w, h); });
  add("img_tip_arrow_right.png", 8, 16, 1, "tip arrow pointing right",
      [](cairo_t* cr, int, double w, double h) { TipArrow(cr, w - 0.5, h / 2, 0, 0, 0, h); });
  add("img_tip_arrow_top.png", 16, 8, 1, "tip arrow pointing up",
      [](cairo_t* cr, int, double w, double h) { TipArrow(cr, w / 2, 0.5, 0, h, w, h); });
  AddTabMenuPictures(p);
  return p;
}

cairo_surface_t* RenderPicture(const Picture& picture) {
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, picture.frameWidth * picture.frames, picture.height);
  cairo_t* cr = cairo_create(surface);
  for (int frame = 0; frame < picture.frames; ++frame) {
    cairo_save(cr);
    cairo_translate(cr, frame * picture.frameWidth, 0);
    cairo_rectangle(cr, 0, 0, picture.frameWidth, picture.height);
    cairo_clip(cr);
    cairo_new_path(cr);
    picture.draw(cr, frame, picture.frameWidth, picture.height);
    cairo_restore(cr);
  }
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  return surface;
}

}  // namespace skingen
