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

// Matches at least this long that do not overlap go through memcpy; for shorter ones the call
// costs more than a byte loop.
constexpr std::size_t kBulkCopy = 16;

// The input as bits, most significant first, through a 32-bit buffer that is topped up a
// byte at a time. Bytes past the end of the input read as zero. Kept in a local variable
// while decoding, so that the buffer and its count can live in registers.
class TBitInput {
 public:
  explicit TBitInput(std::span<const std::uint8_t> input) : input_(input) {}

  int Bit() {
    if (count_ == 0) Fill();
    const int bit = static_cast<int>(buffer_ >> 31);
    buffer_ <<= 1;
    --count_;
    return bit;
  }

  // The next `n` bits (n <= 25) without taking them.
  std::uint32_t Peek(int n) {
    if (count_ < n) Fill();
    return buffer_ >> (32 - n);
  }

  void Skip(int n) {
    buffer_ <<= n;
    count_ -= n;
  }

  // Input bytes that the taken bits came from, a partly used last byte included.
  std::size_t BytesUsed() const { return std::min(BytesTaken(), input_.size()); }
  // As BytesUsed, counting the zero bytes read past the end of the input.
  std::size_t BytesTaken() const {
    const std::size_t bits = fetched_ * 8 - static_cast<std::size_t>(count_);
    return (bits + 7) / 8;
  }

 private:
  // Tops the buffer up to at least 25 valid bits.
  void Fill() {
    while (count_ <= 24) {
      const std::uint32_t b = fetched_ < input_.size() ? input_[fetched_] : 0;
      ++fetched_;
      buffer_ |= b << (24 - count_);
      count_ += 8;
    }
  }

  std::span<const std::uint8_t> input_;
  std::size_t fetched_ = 0;   // bytes taken into the buffer, zero bytes past the end included
  std::uint32_t buffer_ = 0;  // the valid bits at the top, the next one highest
  int count_ = 0;
};

// Walks the tree from the root, one bit per level, to a leaf; then counts the symbol.
int DecodeChar(TBitInput& bits, THuffTree& tree) {
  int c = tree.Son[R];
  while (c < T) c = tree.Son[c + bits.Bit()];
  c -= T;
  tree.Update(c);
  return c;
}

// A position is a prefix code of 3 to 8 bits for its upper six bits, then its lower six bits
// as they are. The first eight bits of the code tell the prefix length.
int DecodePosition(TBitInput& bits) {
  const std::uint32_t code = bits.Peek(14);
  const int lead = static_cast<int>(code >> 6);
  const int prefixLength = PosLen[lead];
  bits.Skip(prefixLength + 6);
  return PosHigh[lead] << 6 | static_cast<int>(code >> (8 - prefixLength) & 0x3F);
}

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
  } else if (distance == 1) {
    std::memset(target, target[-1], length);
  } else if (distance >= length && length >= kBulkCopy) {
    std::memcpy(target, target - distance, length);
  } else {
    // Byte by byte: an overlapping source repeats the bytes just written.
    const std::uint8_t* source = target - distance;
    for (std::size_t k = 0; k < length; ++k) target[k] = source[k];
  }
}

// Decodes symbols into out until at least `size` bytes are there; returns how many are.
// Kept apart from the code that can throw: on 32-bit x86 a function with a throw gives up a
// register to the frame pointer, which this loop needs. It works on a local copy of the bit
// input, which the compiler can keep in registers although the output bytes may alias it.
[[gnu::noinline]] std::size_t DecodeSymbols(TBitInput& input, THuffTree& tree,
                                            std::uint8_t* out, std::uint32_t size) {
  TBitInput bits = input;
  std::size_t count = 0;
  while (count < size) {
    const int c = DecodeChar(bits, tree);
    if (c < 256) {
      out[count++] = static_cast<std::uint8_t>(c);
    } else {
      const std::size_t length = static_cast<std::size_t>(c - 255 + THRESHOLD);
      const std::size_t distance = static_cast<std::size_t>(DecodePosition(bits)) + 1;
      CopyMatch(out, count, distance, length);
      count += length;
    }
  }
  input = bits;
  return count;
}

}  // namespace

TLZH::TLZH(std::span<const std::uint8_t> input) : input_(input) {}
TLZH::~TLZH() = default;

std::size_t TLZH::InputUsed() const { return inputUsed_; }

std::vector<std::uint8_t> TLZH::Decode(std::uint32_t uncompressedSize) {
  std::vector<std::uint8_t> out;
  inputUsed_ = 0;
  ranPastEnd_ = false;
  if (uncompressedSize == 0) return out;
  tree_.reset(new (std::nothrow) THuffTree);
  if (!tree_) throw ElzhException(kLzhNoMemory);
  tree_->Start();

  out.resize(std::size_t(uncompressedSize) + kOverrun);
  TBitInput bits(input_);
  out.resize(DecodeSymbols(bits, *tree_, out.data(), uncompressedSize));
  inputUsed_ = bits.BytesUsed();
  ranPastEnd_ = bits.BytesTaken() > input_.size();
  tree_.reset();
  return out;
}

std::vector<std::uint8_t> DecompressBlock(std::span<const std::uint8_t> block,
                                          std::uint32_t maxSize, bool* ranPastEnd) {
  if (block.size() < 4) throw ElzhException("LZH : compressed block has no size field");
  const std::uint32_t size = ReadLE32(block.data());
  if (size > maxSize) throw ElzhException("LZH : uncompressed size too large");
  TLZH decoder(block.subspan(4));
  std::vector<std::uint8_t> out = decoder.Decode(size);
  if (ranPastEnd) *ranPastEnd = decoder.RanPastEnd();
  return out;
}

}  // namespace skin
