#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>

#include "foundation/qor_radix_p.h"

using namespace qor;

namespace {

struct TRecord {
  std::uint64_t Key;
  std::uint32_t Payload;  // input position, to check stability
};

// Sorts Keys with RadixSort over Bytes bytes and compares with std::stable_sort.
void ExpectMatchesStableSort(const std::vector<std::uint64_t>& Keys, int Bytes) {
  const std::uint64_t Mask = Bytes >= 8 ? ~std::uint64_t(0) : (std::uint64_t(1) << (8 * Bytes)) - 1;
  TBulkVector<TRecord> Items(Keys.size());
  for (std::size_t I = 0; I < Keys.size(); ++I) Items[I] = {Keys[I], std::uint32_t(I)};
  std::vector<TRecord> Expected(Items.begin(), Items.end());
  std::stable_sort(Expected.begin(), Expected.end(),
                   [&](const TRecord& A, const TRecord& B) { return (A.Key & Mask) < (B.Key & Mask); });
  RadixSort(Items, Bytes, [](const TRecord& R) { return R.Key; });
  for (std::size_t I = 0; I < Keys.size(); ++I) {
    ASSERT_EQ(Items[I].Payload, Expected[I].Payload) << "at " << I << " of " << Keys.size();
    ASSERT_EQ(Items[I].Key, Expected[I].Key);
  }
}

std::uint64_t OrderedDouble(double V) {
  const auto Bits = std::bit_cast<std::uint64_t>(V);
  return Bits >> 63 ? ~Bits : Bits | (std::uint64_t(1) << 63);
}

}  // namespace

// Sizes below and far above the point where the sort splits into buckets
// first (16-byte records: 32 Ki of them), with keys that spread evenly, keys
// that crowd into a few leading-bit buckets, few distinct keys and one key.
TEST(RadixSort, AgreesWithStableSortForEveryKeyShape) {
  std::mt19937_64 Random(3);
  for (const std::size_t N : {0, 1, 2, 33, 1000, 40000, 300000}) {
    std::vector<std::uint64_t> Uniform(N), Doubles(N), Few(N), Crowded(N), Same(N, 42);
    for (std::size_t I = 0; I < N; ++I) {
      Uniform[I] = Random();
      // Values from 1e-3 to 1e5 with two decimals: the exponent bits crowd the top.
      Doubles[I] = OrderedDouble(double(Random() % 10000000) / 100.0 * (Random() % 2 ? 1 : -1));
      Few[I] = Random() % 5;
      // Nearly all keys close together, a few far away and repeated: one
      // bucket holds almost everything, the others a few equal keys each.
      Crowded[I] = Random() % 500 == 0 ? (Random() % 64) << 56 | Random() % 3
                                       : 0x8000000000000000u + Random() % 1000;
    }
    SCOPED_TRACE(N);
    ExpectMatchesStableSort(Uniform, 8);
    ExpectMatchesStableSort(Doubles, 8);
    ExpectMatchesStableSort(Few, 8);
    ExpectMatchesStableSort(Crowded, 8);
    ExpectMatchesStableSort(Same, 8);
    // Only the lowest bytes count: higher bytes are ignored, not sorted by.
    ExpectMatchesStableSort(Uniform, 3);
  }
}

// Large work arrays come from their own mapping; they read and write like any
// other memory, grow, and hand back what they were given.
TEST(RadixSort, BulkMemoryHoldsItsContents) {
  TBulkVector<std::uint32_t> V;
  for (std::uint32_t I = 0; I < 3u << 20; ++I) V.push_back(I * 7u);
  for (std::uint32_t I = 0; I < V.size(); I += 4093) ASSERT_EQ(V[I], I * 7u);
  TBulkBuffer<std::uint64_t> B(BulkMinBytes);  // eight times the mapped minimum
  for (std::size_t I = 0; I < BulkMinBytes; ++I) B.data()[I] = I;
  EXPECT_EQ(B.data()[BulkMinBytes - 1], BulkMinBytes - 1);
}
