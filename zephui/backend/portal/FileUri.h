// The local path a file:// URI names, as the file chooser portal answers.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ZephUI::Backend {

/// The percent-decoded path of a file:// URI on this machine; nothing for another scheme or host.
std::optional<std::string> PathFromFileUri(std::string_view uri);

}  // namespace ZephUI::Backend
