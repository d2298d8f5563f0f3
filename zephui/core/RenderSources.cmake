# Drawing, pictures, text and skin resources of ZephUI: cairo surfaces,
# Pango text with fontconfig application fonts, GIF frames through giflib.
pkg_check_modules(ZR REQUIRED IMPORTED_TARGET cairo pangocairo pangoft2 fontconfig)
find_package(GIF 5 REQUIRED)

list(APPEND ZEPHUI_SOURCES
  core/Font.cpp
  core/FontContext.cpp
  core/FontLayoutCache.cpp
  core/FontLayoutStore.cpp
  core/FontRegistry.cpp
  core/FontText.cpp
  core/Image.cpp
  core/ImageBmpReader.cpp
  core/ImageBmpWriter.cpp
  core/ImageDecoder.cpp
  core/ImageGifReader.cpp
  core/ImageIcoReader.cpp
  core/ImagePngReader.cpp
  core/MImageList.cpp
  core/MRender.cpp
  core/RenderCairo.cpp
  core/RenderContext.cpp
  core/RenderImagePattern.cpp
  core/RenderTransition.cpp
  core/SkinLocator.cpp
)
list(APPEND ZEPHUI_PRIVATE_LIBS PkgConfig::ZR GIF::GIF)
