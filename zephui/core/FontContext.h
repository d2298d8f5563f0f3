// The one Pango font map and context of the library. Pango objects are not
// safe to share between threads, and both the user-interface thread and the
// animation timer thread draw text, so all Pango work runs under one lock.
#pragma once

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>

#include "core/FontLayoutStore.h"
#include "zephui/Font.h"

namespace ZephUI {

/// Process-wide Pango state: font map, context, application fonts, face names and the layout store.
class FontContext {
 public:
  /// Frees a font description.
  struct DescriptionRelease {
    void operator()(PangoFontDescription* description) const { pango_font_description_free(description); }
  };
  /// An owned font description.
  using DescriptionPtr = std::unique_ptr<PangoFontDescription, DescriptionRelease>;

  /// The Pango description of a family at a pixel size with a style (underline is a layout attribute, not part of it).
  static DescriptionPtr Describe(const std::string& family, int pixelSize, FontStyle style);

  /// The single instance, made on first use.
  static FontContext& Instance();

  FontContext(const FontContext&) = delete;
  FontContext& operator=(const FontContext&) = delete;

  /// Takes the lock that every other member requires.
  std::unique_lock<std::mutex> Lock();

  /// The context layouts are made with.
  PangoContext* Context() const { return context_; }
  /// The cached layouts.
  FontLayoutStore& Layouts() { return layouts_; }

  /// Adds a font file to the font map's configuration; the families of its first face, empty on failure.
  std::optional<std::string> AddAppFontFile(const std::filesystem::path& file);
  /// True when an installed or added font has this family.
  bool HasFamily(const std::string& family) const;
  /// Maps a face name to a family.
  void MapFace(const std::u16string& face, const std::string& family);
  /// The family mapped to a face name, if any.
  std::optional<std::string> MappedFamily(const std::u16string& face) const;
  /// The font file the font map picks for a description; empty when none.
  std::filesystem::path MatchedFile(const PangoFontDescription* description) const;

 private:
  FontContext();
  ~FontContext();

  FcConfig* Config() const;
  std::optional<std::string> FirstFamilyOf(const std::string& file) const;

  std::mutex mutex_;
  PangoFontMap* map_ = nullptr;
  PangoContext* context_ = nullptr;
  FontLayoutStore layouts_;
  std::map<std::u16string, std::string> faces_;
  std::set<std::string> addedFiles_;
  std::set<std::string> addedFolders_;
};

}  // namespace ZephUI
