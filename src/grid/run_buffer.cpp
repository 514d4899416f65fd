#include "grid/run_buffer.h"

#include <cstdint>
#include <new>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace fastlic {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
// Below this a huge page would be mostly waste, and page-by-page faults cost little.
constexpr std::size_t kHugeEnough = std::size_t{1} << 20;

}  // namespace

RunBuffer::RunBuffer(std::size_t bytes)
    : block_(nullptr), bytes_(bytes), mapped_(0), zeroed_(false) {
#if defined(__linux__)
  if (bytes_ >= kHugeEnough) {
    // Mapped directly rather than through malloc, so that it is aligned to huge pages, starts
    // zeroed, and goes back to the system whole when the run ends.
    mapped_ = (bytes_ + kHugePage - 1) / kHugePage * kHugePage + kHugePage;
    void* mapping =
        mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) throw std::bad_alloc();
    mapping_ = static_cast<std::byte*>(mapping);
    const auto address = reinterpret_cast<std::uintptr_t>(mapping);
    block_ = mapping_ + ((kHugePage - address % kHugePage) % kHugePage);
    const std::size_t used = (bytes_ + kHugePage - 1) / kHugePage * kHugePage;
    // Either advice may be refused (huge pages switched off, an older kernel); the memory then
    // behaves as ordinary memory.
#if defined(MADV_HUGEPAGE)
    madvise(block_, used, MADV_HUGEPAGE);
#endif
#if defined(MADV_POPULATE_WRITE)
    madvise(block_, used, MADV_POPULATE_WRITE);
#endif
    zeroed_ = true;
    return;
  }
#endif
  block_ = static_cast<std::byte*>(::operator new (bytes_ == 0 ? 1 : bytes_, std::align_val_t{64}));
}

RunBuffer::~RunBuffer() {
  if (block_ == nullptr) return;
#if defined(__linux__)
  if (mapped_ != 0) {
    munmap(mapping_, mapped_);
    return;
  }
#endif
  ::operator delete (block_, std::align_val_t{64});
}

RunBuffer::RunBuffer(RunBuffer&& other) noexcept
    : block_(std::exchange(other.block_, nullptr)),
      bytes_(other.bytes_),
      mapping_(other.mapping_),
      mapped_(std::exchange(other.mapped_, 0)),
      zeroed_(other.zeroed_) {}

}  // namespace fastlic
