#include "core/FontContext.h"

#include <pango/pangofc-font.h>
#include <pango/pangofc-fontmap.h>

#include "zephui/SkinLocator.h"

namespace ZephUI {
namespace {

constexpr std::size_t kDefaultLayoutCapacity = 512;

// Grey antialiasing and whole-pixel advances: the same text measures the same
// wherever it is drawn, and composed layered windows carry no colour fringes.
void SetFontOptions(PangoContext* context) {
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  pango_cairo_context_set_font_options(context, options);
  cairo_font_options_destroy(options);
}

const FcChar8* AsFc(const std::string& text) { return reinterpret_cast<const FcChar8*>(text.c_str()); }

}  // namespace

FontContext::DescriptionPtr FontContext::Describe(const std::string& family, int pixelSize, FontStyle style) {
  DescriptionPtr description(pango_font_description_new());
  pango_font_description_set_family(description.get(), family.c_str());
  pango_font_description_set_absolute_size(description.get(), static_cast<double>(pixelSize) * PANGO_SCALE);
  pango_font_description_set_weight(description.get(),
                                    HasStyle(style, FontStyle::Bold) ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(description.get(),
                                   HasStyle(style, FontStyle::Italic) ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  return description;
}

FontContext& FontContext::Instance() {
  // Never destroyed: text may still be drawn from other threads while the process exits.
  static FontContext* instance = new FontContext();
  return *instance;
}

FontContext::FontContext() : layouts_(kDefaultLayoutCapacity) {
  // A configuration of our own, so application fonts added here do not leak
  // into other fontconfig users. It is loaded before the font map exists:
  // the font map starts Pango's fontconfig thread, and loading both at once
  // only costs time.
  FcConfig* config = FcInitLoadConfigAndFonts();
  map_ = pango_cairo_font_map_new();
  if (config != nullptr && PANGO_IS_FC_FONT_MAP(map_)) pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(map_), config);
  if (config != nullptr) FcConfigDestroy(config);
  context_ = pango_font_map_create_context(map_);
  SetFontOptions(context_);
}

FontContext::~FontContext() {
  layouts_.Clear();
  g_object_unref(context_);
  g_object_unref(map_);
}

std::unique_lock<std::mutex> FontContext::Lock() { return std::unique_lock<std::mutex>(mutex_); }

FcConfig* FontContext::Config() const {
  if (!PANGO_IS_FC_FONT_MAP(map_)) return nullptr;
  FcConfig* config = pango_fc_font_map_get_config(PANGO_FC_FONT_MAP(map_));
  return config != nullptr ? config : FcConfigGetCurrent();
}

std::optional<std::string> FontContext::AddAppFontFile(const std::filesystem::path& file) {
  FcConfig* config = Config();
  const std::string path = file.string();
  if (config == nullptr) return std::nullopt;
  if (addedFiles_.contains(path)) return FirstFamilyOf(path);
  // The program's font folder goes in whole through fontconfig's cache: scanning its large
  // CJK font costs milliseconds at every start, reading the cached scan almost nothing.
  const std::filesystem::path folder = file.parent_path();
  if (folder == SkinLocator::FontPath(u"x").parent_path() && addedFolders_.insert(folder.string()).second) {
    FcConfigAppFontAddDir(config, AsFc(folder.string()));
  }
  if (!FirstFamilyOf(path) && !FcConfigAppFontAddFile(config, AsFc(path))) return std::nullopt;
  addedFiles_.insert(path);
  pango_fc_font_map_config_changed(PANGO_FC_FONT_MAP(map_));
  // Layouts made before may hold fallback fonts for the new family.
  layouts_.Clear();
  return FirstFamilyOf(path);
}

std::optional<std::string> FontContext::FirstFamilyOf(const std::string& file) const {
  FcFontSet* fonts = FcConfigGetFonts(Config(), FcSetApplication);
  if (fonts == nullptr) return std::nullopt;
  for (int i = 0; i < fonts->nfont; ++i) {
    FcChar8* fontFile = nullptr;
    FcChar8* family = nullptr;
    int index = 0;
    FcPattern* pattern = fonts->fonts[i];
    if (FcPatternGetString(pattern, FC_FILE, 0, &fontFile) != FcResultMatch || file != reinterpret_cast<char*>(fontFile)) {
      continue;
    }
    FcPatternGetInteger(pattern, FC_INDEX, 0, &index);
    if (index == 0 && FcPatternGetString(pattern, FC_FAMILY, 0, &family) == FcResultMatch) {
      return std::string(reinterpret_cast<char*>(family));
    }
  }
  return std::nullopt;
}

bool FontContext::HasFamily(const std::string& family) const {
  FcConfig* config = Config();
  if (config == nullptr || family.empty()) return false;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, AsFc(family));
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
  FcFontSet* fonts = FcFontList(config, pattern, objects);
  const bool found = fonts != nullptr && fonts->nfont > 0;
  if (fonts != nullptr) FcFontSetDestroy(fonts);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  return found;
}

void FontContext::MapFace(const std::u16string& face, const std::string& family) { faces_[face] = family; }

std::optional<std::string> FontContext::MappedFamily(const std::u16string& face) const {
  const auto found = faces_.find(face);
  if (found == faces_.end()) return std::nullopt;
  return found->second;
}

std::filesystem::path FontContext::MatchedFile(const PangoFontDescription* description) const {
  PangoFont* font = pango_font_map_load_font(map_, context_, description);
  std::filesystem::path file;
  if (font != nullptr && PANGO_IS_FC_FONT(font)) {
    FcChar8* name = nullptr;
    if (FcPatternGetString(pango_fc_font_get_pattern(PANGO_FC_FONT(font)), FC_FILE, 0, &name) == FcResultMatch) {
      file = reinterpret_cast<char*>(name);
    }
  }
  if (font != nullptr) g_object_unref(font);
  return file;
}

}  // namespace ZephUI
