// Sorting machinery for large tables: work arrays that do not pay a page fault
// per 4 KiB, and a stable radix sort that keeps its passes inside the cache.
//
// Internal to the library (not installed).
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>
#include <vector>

#include "qorkit_export.h"

namespace qor {

// Blocks for large short-lived work arrays. Blocks of BulkMinBytes and more
// are mapped on their own and, where the system offers transparent huge
// pages, backed by them: a sort of a million rows then takes a few dozen page
// faults instead of tens of thousands, each of which costs more than sorting
// the page it brings in. Smaller blocks (and every block in sanitizer builds,
// so that their checks see them) come from operator new.
inline constexpr std::size_t BulkMinBytes = std::size_t(256) << 10;
QORKIT_EXPORT void* AllocateBulk(std::size_t Bytes);
QORKIT_EXPORT void FreeBulk(void* Block, std::size_t Bytes) noexcept;

template <typename T>
struct TBulkAllocator {
  using value_type = T;
  TBulkAllocator() = default;
  template <typename U>
  TBulkAllocator(const TBulkAllocator<U>&) noexcept {}
  T* allocate(std::size_t N) { return static_cast<T*>(AllocateBulk(N * sizeof(T))); }
  void deallocate(T* P, std::size_t N) noexcept { FreeBulk(P, N * sizeof(T)); }
  template <typename U>
  bool operator==(const TBulkAllocator<U>&) const noexcept {
    return true;
  }
};

template <typename T>
using TBulkVector = std::vector<T, TBulkAllocator<T>>;

// An uninitialised array of N trivial items in bulk memory.
template <typename T>
class TBulkBuffer {
  static_assert(std::is_trivially_default_constructible_v<T> && std::is_trivially_copyable_v<T>);

 public:
  explicit TBulkBuffer(std::size_t N) : FData(TBulkAllocator<T>().allocate(N)), FSize(N) {}
  ~TBulkBuffer() { TBulkAllocator<T>().deallocate(FData, FSize); }
  TBulkBuffer(const TBulkBuffer&) = delete;
  TBulkBuffer& operator=(const TBulkBuffer&) = delete;
  T* data() const { return FData; }

 private:
  T* FData;
  std::size_t FSize;
};

namespace radix {

// Ranges up to WholeBytes are sorted byte by byte; larger ones are first split
// into buckets of about BucketBytes (see SortRange).
inline constexpr std::size_t WholeBytes = std::size_t(512) << 10;
inline constexpr std::size_t BucketBytes = std::size_t(64) << 10;

// Stable sort of Items[0, N) by the unsigned key KeyOf(Item), least
// significant byte first over its lowest Bytes bytes; bytes all items share
// are skipped. One read counts every byte, then each pass streams once from
// one array to the other. The result ends in Items; Other is scratch.
template <typename T, typename TKeyOf>
void ByLowBytes(T* Items, T* Other, std::size_t N, int Bytes, const TKeyOf& KeyOf) {
  if (N < 2 || Bytes <= 0) return;
  std::array<std::array<std::size_t, 256>, 8> Count;
  for (int B = 0; B < Bytes; ++B) Count[std::size_t(B)].fill(0);
  for (std::size_t K = 0; K < N; ++K) {
    const auto Key = KeyOf(Items[K]);
    for (int B = 0; B < Bytes; ++B) ++Count[std::size_t(B)][(Key >> (8 * B)) & 0xFF];
  }
  T* From = Items;
  T* To = Other;
  for (int B = 0; B < Bytes; ++B) {
    std::array<std::size_t, 256>& Start = Count[std::size_t(B)];
    const int Shift = 8 * B;
    if (Start[(KeyOf(From[0]) >> Shift) & 0xFF] == N) continue;
    std::size_t Sum = 0;
    for (std::size_t& C : Start) Sum += std::exchange(C, Sum);
    for (std::size_t K = 0; K < N; ++K) To[Start[(KeyOf(From[K]) >> Shift) & 0xFF]++] = From[K];
    std::swap(From, To);
  }
  if (From != Items) std::memcpy(static_cast<void*>(Items), From, N * sizeof(T));
}

// Stable insertion sort for the smallest buckets, where clearing counters
// would cost more than the sort.
inline constexpr std::size_t InsertionMax = 32;
template <typename T, typename TKeyOf>
void ByInsertion(T* Items, std::size_t N, const TKeyOf& KeyOf) {
  for (std::size_t I = 1; I < N; ++I) {
    const T Item = Items[I];
    const auto Key = KeyOf(Item);
    std::size_t J = I;
    for (; J > 0 && KeyOf(Items[J - 1]) > Key; --J) Items[J] = Items[J - 1];
    Items[J] = Item;
  }
}

// Sorts Data[0, N) by Key where it lies (Other is scratch of the same size).
// Ranges that fit in the cache are sorted byte by byte; larger ones are split
// by the leading bits of (key - smallest key) into buckets of about
// BucketBytes, and each bucket is sorted the same way. Keys that crowd into a
// few buckets (the exponents of doubles, say) are split again by their next
// bits, so every byte-by-byte pass runs in the cache whatever the keys.
template <typename T, typename TKey>
void SortRange(T* Data, T* Other, std::size_t N, const TKey& Key) {
  if (N < 2) return;
  std::uint64_t Min = Key(Data[0]), Max = Min;
  for (std::size_t K = 1; K < N; ++K) {
    const std::uint64_t V = Key(Data[K]);
    Min = std::min(Min, V);
    Max = std::max(Max, V);
  }
  if (Min == Max) return;
  const auto Offset = [&Key, Min](const T& I) { return Key(I) - Min; };
  const int Width = std::bit_width(Max - Min);
  if (N * sizeof(T) <= WholeBytes) {
    ByLowBytes(Data, Other, N, (Width + 7) / 8, Offset);
    return;
  }
  const int BucketBits = std::clamp(int(std::bit_width(N * sizeof(T) / BucketBytes)), 1, std::min(Width, 12));
  const int Shift = Width - BucketBits;
  const std::size_t Buckets = std::size_t(1) << BucketBits;
  std::vector<std::size_t> Start(Buckets + 1, 0);
  for (std::size_t K = 0; K < N; ++K) ++Start[(Offset(Data[K]) >> Shift) + 1];
  for (std::size_t B = 0; B < Buckets; ++B) Start[B + 1] += Start[B];
  std::vector<std::size_t> Next(Start.begin(), Start.end() - 1);
  for (std::size_t K = 0; K < N; ++K) Other[Next[Offset(Data[K]) >> Shift]++] = Data[K];
  for (std::size_t B = 0; B < Buckets; ++B) {
    const std::size_t First = Start[B], Size = Start[B + 1] - First;
    if (Size <= InsertionMax) {
      std::memcpy(static_cast<void*>(Data + First), Other + First, Size * sizeof(T));
      ByInsertion(Data + First, Size, Offset);
      continue;
    }
    SortRange(Other + First, Data + First, Size, Key);
    std::memcpy(static_cast<void*>(Data + First), Other + First, Size * sizeof(T));
  }
}

}  // namespace radix

// Stable sort of Items by the unsigned key KeyOf(Item) over its lowest Bytes
// bytes (at most 8). Memory is streamed a few times whatever the key width,
// which keeps a million rows in step with a hundred thousand (see SortRange).
template <typename T, typename TKeyOf>
void RadixSort(TBulkVector<T>& Items, int Bytes, const TKeyOf& KeyOf) {
  static_assert(std::is_trivially_default_constructible_v<T> && std::is_trivially_copyable_v<T>);
  if (Items.size() < 2) return;
  const std::uint64_t Mask = Bytes >= 8 ? ~std::uint64_t(0) : (std::uint64_t(1) << (8 * Bytes)) - 1;
  TBulkBuffer<T> Scratch(Items.size());
  radix::SortRange(Items.data(), Scratch.data(), Items.size(),
                   [&KeyOf, Mask](const T& I) { return std::uint64_t(KeyOf(I)) & Mask; });
}

}  // namespace qor
