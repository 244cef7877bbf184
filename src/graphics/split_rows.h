#pragma once
// Work on independent rows shared between the processor's cores: rows
// [0, rows) are cut into one band per core (at most two), each band's first
// row a multiple of `granule`; pictures under a million pixels stay on the
// calling thread. Only for work whose result cannot depend on the order.
// Every bitmap the work writes is detached (Bitmap::detach) before the split.
#include <cstdint>
#include <functional>

namespace kel {

inline constexpr std::int64_t kPixelsWorthAThread = std::int64_t(1) << 20;

void splitRows(int rows, std::int64_t pixels, int granule, const std::function<void(int from, int to)>& work);

} // namespace kel
