// The library's own control classes, handed to the class-name factory when
// its table is first used.
#pragma once

#include <functional>
#include <string_view>

#include "zephui/ControlFactory.h"

namespace ZephUI {

/// Receives one built-in class: its name, the factories that know it, and its constructor.
using BuiltinSink = std::function<void(std::u16string_view className, FactoryScope scope, ControlCreator creator)>;

/// Hands every built-in class of the library to `add`.
void AddBuiltinControls(const BuiltinSink& add);

/// Hands the edit fields, rich edit fields and combo boxes to `add`.
void AddEditControls(const BuiltinSink& add);

/// Hands the tab strip, tab page and menu row to `add`.
void AddTabMenuControls(const BuiltinSink& add);

/// Hands the buttons, pictures and areas (check, radio, text, image, colour, switch, icon, timer, help buttons; pictures; areas) to `add`.
void AddButtonControls(const BuiltinSink& add);

/// Hands the value controls and colour choosers (sliders, progress, levels, palettes, spin, list box) to `add`.
void AddValueControls(const BuiltinSink& add);

}  // namespace ZephUI
