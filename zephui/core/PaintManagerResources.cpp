// The picture cache and private fonts of a window, and its scroll bar skins.
#include <filesystem>

#include "core/PaintManagerState.h"
#include "zephui/Manager.h"
#include "zephui/PaintManager.h"

namespace ZephUI {

const ImgResInfo* PaintManager::AddImgResInfo(std::u16string_view path, int frameCount) {
  return state_->images.FromSkin(path, frameCount);
}

const ImgResInfo* PaintManager::AddImgResInfo(int resourceId, std::u16string_view resourceType, int frameCount,
                                              bool fromApplication) {
  const ResourceModule module = fromApplication ? ResourceModule::Application : ResourceModule::Library;
  return state_->images.FromResource(module, resourceId, resourceType, frameCount);
}

void PaintManager::ClearImgResInfo() {
  // Controls keep pointers to records; a handler still running may draw them once more.
  state_->disposal->Defer(state_->images.TakeAll());
  state_->disposal->FlushIfIdle();
}

std::u16string PaintManager::AddTempFont(std::u16string faceName, std::u16string_view path) {
  return state_->fonts.AddFile(faceName, std::filesystem::path(path));
}

std::u16string PaintManager::AddTempFont(std::u16string faceName, int resourceId) {
  return state_->fonts.AddResource(faceName, resourceId);
}

bool PaintManager::AddGDITempFont(int resourceId) { return state_->fonts.AddDrawingResource(resourceId); }

std::u16string PaintManager::FindTempFont(std::u16string_view) { return state_->fonts.Find(Manager::GetFontName()); }

std::u16string PaintManager::FamilyOf(std::u16string_view faceName) const { return state_->fonts.Lookup(faceName); }

void PaintManager::ClearTempFont() { state_->fonts.Clear(); }

void PaintManager::SetScrollResID(int vertical, int horizontal) {
  state_->scrollVertical = vertical;
  state_->scrollHorizontal = horizontal;
}

int PaintManager::GetScrollVID() const { return state_->scrollVertical; }

int PaintManager::GetScrollHID() const { return state_->scrollHorizontal; }

}  // namespace ZephUI
