// Comparing dotted version texts such as "1.0.10".
#pragma once

#include <string_view>

/// 1 when `latest` is newer than `installed`, -1 when older, 0 when equal; missing parts count as 0.
int CompareVersions(std::u16string_view installed, std::u16string_view latest);
