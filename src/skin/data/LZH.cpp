#include "LZH.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "LzhTree.h"

namespace skin {

using namespace lzh;

namespace {

// The longest stretch by which the final match can run past the requested size.
constexpr std::size_t kOverrun = F - 1;

// The window before the first output byte, counted back from it: the last 4,036 positions hold
// spaces, the 60 before them were never written and hold zeros.
std::uint8_t InitialWindowByte(std::ptrdiff_t index) {
  return index >= -kInitialFill ? std::uint8_t(' ') : std::uint8_t(0);
}

// Copies a match of `length` bytes that starts `distance` bytes back from out[at]. Source and
// target overlap when the distance is shorter than the length; the bytes then repeat.
void CopyMatch(std::uint8_t* out, std::size_t at, std::size_t distance, std::size_t length) {
  std::uint8_t* target = out + at;
  if (distance > at) {
    // Only near the start: part of the source lies in the initial window.
    const std::ptrdiff_t from =
        static_cast<std::ptrdiff_t>(at) - static_cast<std::ptrdiff_t>(distance);
    for (std::size_t k = 0; k < length; ++k) {
      const std::ptrdiff_t source = from + static_cast<std::ptrdiff_t>(k);
      target[k] = source >= 0 ? out[source] : InitialWindowByte(source);
    }
  } else if (distance >= length) {
    std::memcpy(target, target - distance, length);
  } else if (distance == 1) {
    std::memset(target, target[-1], length);
  } else {
    for (std::size_t k = 0; k < length; ++k) target[k] = target[k - distance];
  }
}

}  // namespace

TLZH::TLZH(std::span<const std::uint8_t> input) : input_(input) {}
TLZH::~TLZH() = default;

// Tops the bit buffer up to at least 25 valid bits; bytes past the end of the input are zero.
void TLZH::FillBits() {
  while (bitCount_ <= 24) {
    const std::uint32_t b = fetched_ < input_.size() ? input_[fetched_] : 0;
    ++fetched_;
    bitBuf_ |= b << (24 - bitCount_);
    bitCount_ += 8;
  }
}

inline int TLZH::GetBit() {
  if (bitCount_ == 0) FillBits();
  const int bit = static_cast<int>(bitBuf_ >> 31);
  bitBuf_ <<= 1;
  --bitCount_;
  return bit;
}

std::size_t TLZH::InputUsed() const {
  const std::size_t usedBits = fetched_ * 8 - static_cast<std::size_t>(bitCount_);
  return std::min((usedBits + 7) / 8, input_.size());
}

// Walks the tree from the root, one bit per level, to a leaf; then counts the symbol.
inline int TLZH::DecodeChar() {
  THuffTree& tree = *tree_;
  int c = tree.Son[R];
  while (c < T) c = tree.Son[c + GetBit()];
  c -= T;
  tree.Update(c);
  return c;
}

// A position is a prefix code of 3 to 8 bits for its upper six bits, then its lower six bits
// as they are. The first eight bits of the code tell the prefix length.
inline int TLZH::DecodePosition() {
  if (bitCount_ < 14) FillBits();
  const std::uint32_t code = bitBuf_ >> 18;  // the next 14 bits
  const int lead = static_cast<int>(code >> 6);
  const int prefixLength = PosLen[lead];
  const int used = prefixLength + 6;
  bitBuf_ <<= used;
  bitCount_ -= used;
  return PosHigh[lead] << 6 | static_cast<int>(code >> (8 - prefixLength) & 0x3F);
}

std::vector<std::uint8_t> TLZH::Decode(std::uint32_t uncompressedSize) {
  std::vector<std::uint8_t> out;
  if (uncompressedSize == 0) return out;
  tree_.reset(new (std::nothrow) THuffTree);
  if (!tree_) throw ElzhException(kLzhNoMemory);
  tree_->Start();

  out.resize(std::size_t(uncompressedSize) + kOverrun);
  std::uint8_t* const data = out.data();
  std::size_t count = 0;
  while (count < uncompressedSize) {
    const int c = DecodeChar();
    if (c < 256) {
      data[count++] = static_cast<std::uint8_t>(c);
    } else {
      const std::size_t length = static_cast<std::size_t>(c - 255 + THRESHOLD);
      const std::size_t distance = static_cast<std::size_t>(DecodePosition()) + 1;
      CopyMatch(data, count, distance, length);
      count += length;
    }
  }
  out.resize(count);
  tree_.reset();
  return out;
}

std::vector<std::uint8_t> DecompressBlock(std::span<const std::uint8_t> block,
                                          std::uint32_t maxSize) {
  if (block.size() < 4) throw ElzhException("LZH : compressed block has no size field");
  const std::uint32_t size = ReadLE32(block.data());
  if (size > maxSize) throw ElzhException("LZH : uncompressed size too large");
  return TLZH(block.subspan(4)).Decode(size);
}

}  // namespace skin
