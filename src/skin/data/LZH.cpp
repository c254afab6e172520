#include "LZH.h"

#include <algorithm>
#include <new>

#include "LzhTree.h"

namespace skin {

using namespace lzh;

struct TLZH::Tables {
  THuffTree Tree;
  std::uint8_t Text[kWindowBytes];
};

TLZH::TLZH(TByteReader& input, TByteWriter& output) : input_(input), output_(output) {}
TLZH::~TLZH() = default;

// Keeps at least nine valid bits in the buffer; bytes past the end of the input are zero.
void TLZH::FillBits() {
  while (bitCount_ <= 8) {
    int b = input_.ReadByte();
    if (b < 0) b = 0;
    bitBuf_ = static_cast<std::uint16_t>(bitBuf_ | (b << (8 - bitCount_)));
    bitCount_ = static_cast<std::uint8_t>(bitCount_ + 8);
  }
}

int TLZH::GetBit() {
  FillBits();
  const int bit = bitBuf_ >> 15;
  bitBuf_ = static_cast<std::uint16_t>(bitBuf_ << 1);
  --bitCount_;
  return bit;
}

int TLZH::GetByte() {
  FillBits();
  const int byte = bitBuf_ >> 8;
  bitBuf_ = static_cast<std::uint16_t>(bitBuf_ << 8);
  bitCount_ = static_cast<std::uint8_t>(bitCount_ - 8);
  return byte;
}

int TLZH::DecodeChar() {
  THuffTree& tree = tables_->Tree;
  int c = tree.Son[R];
  while (c < T) c = tree.Son[c + GetBit()];
  c -= T;
  tree.Update(c);
  return c;
}

int TLZH::DecodePosition() {
  int b = GetByte();
  const int high = PosHigh[b] << 6;
  for (int j = PosLen[b] - 2; j > 0; --j) b = (b << 1) + GetBit();
  return high | (b & 0x3F);
}

void TLZH::Decode(std::uint32_t uncompressedSize) {
  tables_.reset(new (std::nothrow) Tables);
  if (!tables_) throw ElzhException(kLzhNoMemory);
  // The tables go with this run whether it ends normally or by an exception.
  struct Release {
    std::unique_ptr<Tables>& t;
    ~Release() { t.reset(); }
  } release{tables_};

  bitBuf_ = 0;
  bitCount_ = 0;
  std::uint8_t* text = tables_->Text;
  std::fill(text, text + kInitialFill, std::uint8_t(' '));
  tables_->Tree.Start();

  int r = kInitialFill;
  auto put = [&](std::uint8_t c) {
    output_.WriteByte(c);
    text[r] = c;
    r = (r + 1) & (N - 1);
  };
  for (std::uint32_t count = 0; count < uncompressedSize;) {
    const int c = DecodeChar();
    if (c < 256) {
      put(static_cast<std::uint8_t>(c));
      ++count;
    } else {
      const int from = (r - DecodePosition() - 1) & (N - 1);
      const int length = c - 255 + THRESHOLD;
      for (int k = 0; k < length; ++k) put(text[(from + k) & (N - 1)]);
      count += static_cast<std::uint32_t>(length);
    }
  }
}

std::vector<std::uint8_t> DecompressBlock(std::span<const std::uint8_t> block,
                                          std::uint32_t maxSize) {
  if (block.size() < 4) throw ElzhException("LZH : compressed block has no size field");
  const std::uint32_t size = ReadLE32(block.data());
  if (size > maxSize) throw ElzhException("LZH : uncompressed size too large");
  std::vector<std::uint8_t> out;
  out.reserve(size + F);
  TMemoryReader in(block.subspan(4));
  TMemoryWriter writer(out);
  TLZH(in, writer).Decode(size);
  return out;
}

}  // namespace skin
