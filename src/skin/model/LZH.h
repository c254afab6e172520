// LZHUF decompression of skin packages: LZSS over a 4,096-byte window with literals and match
// lengths coded by an adaptive Huffman tree and positions by a fixed prefix code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <vector>

namespace skin {

namespace lzh {
struct THuffTree;
}

class ElzhException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr const char* kLzhNoMemory = "LZH : Cannot get memory for dictionary tables";
inline constexpr const char* kLzhFreeError = "LZH : Error freeing memory for dictionary tables";

// The largest uncompressed size that a compressed block may declare. The size field is
// untrusted input: anything above this is refused before a single byte is decoded.
inline constexpr std::uint32_t kMaxUncompressedSize = 64u * 1024 * 1024;

// One decoding run over a bit stream in memory. The output buffer is the sliding window:
// matches are copied from the bytes already decoded, so no byte passes through a ring buffer.
class TLZH {
 public:
  explicit TLZH(std::span<const std::uint8_t> input);
  ~TLZH();
  TLZH(const TLZH&) = delete;
  TLZH& operator=(const TLZH&) = delete;

  // Decodes from the start of the input until at least uncompressedSize bytes are out. Input
  // past its end reads as zero bits; a final match is always copied whole, so the result can
  // be up to 59 bytes longer than asked for.
  std::vector<std::uint8_t> Decode(std::uint32_t uncompressedSize);

  // Input bytes that the decoded codes took up, a partly used last byte included; bytes that
  // were only read ahead do not count, nor do the zero bytes read past the end.
  std::size_t InputUsed() const;
  // The codes decoded needed bits past the end of the input: the stream was cut short.
  bool RanPastEnd() const { return ranPastEnd_; }

 private:
  std::span<const std::uint8_t> input_;
  std::size_t inputUsed_ = 0;
  bool ranPastEnd_ = false;
  std::unique_ptr<lzh::THuffTree> tree_;
};

// A compressed block: a 4-byte little-endian uncompressed size, then the bit stream.
// Throws ElzhException when the block is shorter than its size field or declares more than
// maxSize bytes. `ranPastEnd`, when given, tells whether the stream was cut short (the bytes
// missing were decoded from zero bits).
std::vector<std::uint8_t> DecompressBlock(std::span<const std::uint8_t> block,
                                          std::uint32_t maxSize = kMaxUncompressedSize,
                                          bool* ranPastEnd = nullptr);

// Reads a little-endian 32-bit value; the caller guarantees four bytes.
inline std::uint32_t ReadLE32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}

}  // namespace skin
