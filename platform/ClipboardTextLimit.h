#pragma once

#include <cstddef>

// The longest text the program hands over and its keeper serves after exit; codes are a few
// characters, so anything near this is not ours to keep.
inline constexpr std::size_t clipboardTextLimit = 64 * 1024;
