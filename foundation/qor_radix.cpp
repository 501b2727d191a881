#include "foundation/qor_radix_p.h"

#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace qor {

namespace {

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer)
#define QOR_BULK_FROM_NEW 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define QOR_BULK_FROM_NEW 1
#endif

#if defined(__linux__) && !defined(QOR_BULK_FROM_NEW)
constexpr std::size_t HugePage = std::size_t(2) << 20;

std::size_t MappedSize(std::size_t Bytes) { return (Bytes + HugePage - 1) / HugePage * HugePage; }

// Maps Size bytes aligned to a huge page: a larger range is mapped and the
// unaligned ends are given back.
void* MapAligned(std::size_t Size) {
  const std::size_t Span = Size + HugePage;
  void* Raw = mmap(nullptr, Span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (Raw == MAP_FAILED) throw std::bad_alloc();
  const auto Begin = reinterpret_cast<std::uintptr_t>(Raw);
  const std::uintptr_t Aligned = (Begin + HugePage - 1) / HugePage * HugePage;
  if (Aligned > Begin) munmap(Raw, Aligned - Begin);
  const std::uintptr_t End = Begin + Span, AlignedEnd = Aligned + Size;
  if (End > AlignedEnd) munmap(reinterpret_cast<void*>(AlignedEnd), End - AlignedEnd);
  void* Block = reinterpret_cast<void*>(Aligned);
  madvise(Block, Size, MADV_HUGEPAGE);  // a hint: without huge pages the block still works
  return Block;
}
#endif

}  // namespace

void* AllocateBulk(std::size_t Bytes) {
#if defined(__linux__) && !defined(QOR_BULK_FROM_NEW)
  if (Bytes >= BulkMinBytes) return MapAligned(MappedSize(Bytes));
#endif
  return ::operator new(Bytes);
}

void FreeBulk(void* Block, [[maybe_unused]] std::size_t Bytes) noexcept {
  if (!Block) return;
#if defined(__linux__) && !defined(QOR_BULK_FROM_NEW)
  if (Bytes >= BulkMinBytes) {
    munmap(Block, MappedSize(Bytes));
    return;
  }
#endif
  ::operator delete(Block);
}

}  // namespace qor
