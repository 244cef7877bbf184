#pragma once
// Scrambling of " Crypter l' image": every byte of the pixel store, padding
// included, exclusive-or'ed with the program generator's Random(256) from a
// fixed seed. Running it a second time with the same key restores the bytes.
#include "graphics/bitmap.h"

#include <cstdint>

namespace kel {

// The program's one key; pictures scrambled with it unscramble only with it.
inline constexpr std::uint32_t kScrambleKey = 719;

// Sets programRandom() to `key`, then XORs the bytes of rows 0 to H - 1, each
// row from its first byte to its last padding byte, with one Random(256) a
// byte. The generator is left where that sequence ends. A bitmap of fewer
// than two rows (or no columns) throws RangeError "Error" and changes
// nothing, the generator included.
void scrambleBitmap(Bitmap& bitmap, std::uint32_t key = kScrambleKey);

} // namespace kel
