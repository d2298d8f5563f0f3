// The class-name factory: dialogs, popups and panels build controls by name.
// The library and the application add their classes to one process-wide
// table; a name not in the table builds nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "zephui/Export.h"
#include "zephui/Rect.h"

namespace ZephUI {

class MControl;
class MObject;

/// Which factories know a class.
enum class FactoryScope {
  Dialog,  ///< the paint manager's factory (dialogs, popups, menus)
  Panel,   ///< the panel factory (controls inside containers)
  Both,    ///< both factories
};

/// Which factory is asking.
enum class FactoryKind { Dialog, Panel };

/// The arguments every factory call carries; each class takes what its constructor needs.
struct ControlArgs {
  MObject* parent = nullptr;  ///< the new control's parent
  std::uint32_t id = 0;       ///< control id
  Rect rect;                  ///< window client pixels
  std::u16string text;        ///< title, for classes that take one
  bool visible = true;        ///< the factory's visible argument
  bool enabled = true;        ///< the factory's enabled argument
};

/// Builds one control from the factory arguments.
using ControlCreator = std::function<std::unique_ptr<MControl>(const ControlArgs&)>;

/// Process-wide table from class name to constructor.
class ZEPHUI_API ControlFactory {
 public:
  ControlFactory() = delete;
  /// Adds or replaces a class; names compare exactly (case-sensitive).
  static void Register(std::u16string_view className, FactoryScope scope, ControlCreator creator);
  /// Removes a class; false when it was not registered.
  static bool Unregister(std::u16string_view className);
  /// True when `kind` builds `className`.
  static bool Knows(FactoryKind kind, std::u16string_view className);
  /// A new control, or none for an empty or unknown name or a class outside `kind`'s scope.
  static std::unique_ptr<MControl> Create(FactoryKind kind, std::u16string_view className, const ControlArgs& args);
};

}  // namespace ZephUI
