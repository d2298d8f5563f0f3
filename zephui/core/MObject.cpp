#include "zephui/MObject.h"

namespace ZephUI {

MObject::~MObject() = default;

bool MObject::IsClass(std::u16string_view name) const { return GetClassNameW() == name; }

std::u16string_view MObject::GetClassNameW() const { return {}; }

std::u16string_view MObject::GetObjectClass() const { return {}; }

std::u16string_view MObject::BaseObjectClassName() const { return {}; }

LRESULT MObject::OnBaseMessage(std::uint32_t, UINT, WPARAM, LPARAM) { return 0; }

LRESULT MObject::OnControlUpdate(const Rect&, CacheReset, MControl*) { return 0; }

}  // namespace ZephUI
