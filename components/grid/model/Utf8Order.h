/// \file
/// UTF-8 text in the order its UTF-16 form sorts in, without converting it.
#pragma once

#include <string_view>

namespace trevalo {

/// -1, 0 or 1, as QString::compare (case-sensitive) gives on the two texts' UTF-16 forms: by
/// code unit, a proper prefix first. Both texts are well-formed UTF-8.
int CompareUtf8(std::string_view a, std::string_view b);

} // namespace trevalo
