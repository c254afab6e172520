// LZHUF decompression of skin packages: LZSS over a 4,096-byte window with literals and match
// lengths coded by an adaptive Huffman tree and positions by a fixed prefix code.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "ByteStream.h"

namespace skin {

class ElzhException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr const char* kLzhNoMemory = "LZH : Cannot get memory for dictionary tables";
inline constexpr const char* kLzhFreeError = "LZH : Error freeing memory for dictionary tables";

// The largest uncompressed size that a compressed block may declare. The size field is
// untrusted input: anything above this is refused before a single byte is decoded.
inline constexpr std::uint32_t kMaxUncompressedSize = 64u * 1024 * 1024;

// One decoding run over an input and an output stream (neither is owned).
class TLZH {
 public:
  TLZH(TByteReader& input, TByteWriter& output);
  ~TLZH();
  TLZH(const TLZH&) = delete;
  TLZH& operator=(const TLZH&) = delete;

  // Decodes from the input's current position until at least uncompressedSize bytes were
  // written. Input past its end reads as zero bits; a final match is always copied whole.
  void Decode(std::uint32_t uncompressedSize);

 private:
  struct Tables;
  int GetBit();
  int GetByte();
  void FillBits();
  int DecodeChar();
  int DecodePosition();

  TByteReader& input_;
  TByteWriter& output_;
  std::uint16_t bitBuf_ = 0;
  std::uint8_t bitCount_ = 0;
  std::unique_ptr<Tables> tables_;
};

// A compressed block: a 4-byte little-endian uncompressed size, then the bit stream.
// Throws ElzhException when the block is shorter than its size field or declares more than
// maxSize bytes.
std::vector<std::uint8_t> DecompressBlock(std::span<const std::uint8_t> block,
                                          std::uint32_t maxSize = kMaxUncompressedSize);

// Reads a little-endian 32-bit value; the caller guarantees four bytes.
inline std::uint32_t ReadLE32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}

}  // namespace skin
