// The built-in 7 x 12 dot font of the dot-matrix label (internal).
#pragma once

#include <array>
#include <cstdint>

namespace qor::rasterfont {

constexpr int FirstCode = 32, CodeCount = 224, Width = 7, Height = 12;

// One glyph: the first and last column it uses, then 12 rows (bit j = column j).
struct TRecord {
  std::uint8_t Left, Right;
  std::array<std::uint8_t, Height> Rows;
};

// The records of the codes 32 to 255, in code order.
const std::array<TRecord, CodeCount>& Records();

}  // namespace qor::rasterfont
