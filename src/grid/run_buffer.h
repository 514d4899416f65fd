#pragma once

#include <cstddef>

namespace fastlic {

/// One block of memory for the large buffers of a run (the grid's planes, the LIC lookup table),
/// mapped in full when it is made, in huge pages where the system offers them. Fresh memory is
/// otherwise mapped one 4 KiB fault at a time, which on virtual machines costs more than the LIC
/// arithmetic done in those pages. The content starts undefined unless zeroed() says otherwise.
/// Throws std::bad_alloc.
class RunBuffer {
 public:
  explicit RunBuffer(std::size_t bytes);
  ~RunBuffer();
  RunBuffer(RunBuffer&& other) noexcept;
  RunBuffer& operator=(RunBuffer&&) = delete;
  RunBuffer(const RunBuffer&) = delete;
  RunBuffer& operator=(const RunBuffer&) = delete;

  std::byte* data() const { return block_; }
  std::size_t size() const { return bytes_; }
  /// Whether the content is known to be all zero bytes (fresh memory from the system).
  bool zeroed() const { return zeroed_; }

 private:
  std::byte* block_;
  std::size_t bytes_;
  std::byte* mapping_ = nullptr;  // the whole mapping, when mapped directly
  std::size_t mapped_;
  bool zeroed_;
};

/// Where the next part of a buffer starts: offset rounded up to a cache line.
inline std::size_t alignedOffset(std::size_t offset) { return (offset + 63) / 64 * 64; }

}  // namespace fastlic
