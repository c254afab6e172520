#include "LzhEncoder.h"

#include <array>
#include <memory>
#include <stdexcept>

#include "skin/model/LzhTree.h"

namespace skinpack {

using namespace skin::lzh;

namespace {

constexpr int NIL = N;  // no node

// For each upper six position bits, the leading byte of its code: the inverse of PosHigh.
constexpr std::array<std::uint8_t, 64> MakePosCode() {
  std::array<std::uint8_t, 64> code{};
  for (int b = 255; b >= 0; --b) code[PosHigh[b]] = static_cast<std::uint8_t>(b);
  return code;
}
constexpr std::array<std::uint8_t, 64> kPosCode = MakePosCode();

class BitWriter {
 public:
  explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
  // Writes the low `count` bits of `bits`, most significant first.
  void Put(std::uint64_t bits, int count) {
    while (count-- > 0) {
      acc_ = static_cast<std::uint8_t>(acc_ << 1 | ((bits >> count) & 1));
      if (++used_ == 8) Flush();
    }
  }
  void Finish() {
    if (used_ > 0) {
      acc_ = static_cast<std::uint8_t>(acc_ << (8 - used_));
      Flush();
    }
  }

 private:
  void Flush() {
    out_.push_back(acc_);
    acc_ = 0;
    used_ = 0;
  }
  std::vector<std::uint8_t>& out_;
  std::uint8_t acc_ = 0;
  int used_ = 0;
};

class Encoder {
 public:
  explicit Encoder(std::vector<std::uint8_t>& out) : bits_(out) {}
  void Run(std::span<const std::uint8_t> data);

 private:
  void InsertNode(int r);
  void DeleteNode(int p);
  void EncodeChar(int c);
  void EncodePosition(int position);

  BitWriter bits_;
  THuffTree tree_;
  std::array<std::uint8_t, kWindowBytes> text_{};
  std::array<int, N + 1> lson_{}, dad_{};
  std::array<int, N + 257> rson_{};  // N + 1 .. N + 256 are the roots, one per leading byte
  int matchPosition_ = 0, matchLength_ = 0;
};

// Inserts the string at r into the tree and finds the longest match for it on the way.
void Encoder::InsertNode(int r) {
  const std::uint8_t* key = &text_[r];
  int p = N + 1 + key[0];
  int cmp = 1;
  rson_[r] = lson_[r] = NIL;
  matchLength_ = 0;
  for (;;) {
    int& next = cmp >= 0 ? rson_[p] : lson_[p];
    if (next == NIL) {
      next = r;
      dad_[r] = p;
      return;
    }
    p = next;
    int i = 1;
    for (; i < F; ++i) {
      if ((cmp = key[i] - text_[p + i]) != 0) break;
    }
    if (i > THRESHOLD) {
      const int position = ((r - p) & (N - 1)) - 1;
      if (i > matchLength_) {
        matchPosition_ = position;
        if ((matchLength_ = i) >= F) break;
      } else if (i == matchLength_ && position < matchPosition_) {
        matchPosition_ = position;
      }
    }
  }
  // A full-length match: r replaces p, which leaves the tree.
  dad_[r] = dad_[p];
  lson_[r] = lson_[p];
  rson_[r] = rson_[p];
  dad_[lson_[p]] = r;
  dad_[rson_[p]] = r;
  (rson_[dad_[p]] == p ? rson_[dad_[p]] : lson_[dad_[p]]) = r;
  dad_[p] = NIL;
}

void Encoder::DeleteNode(int p) {
  if (dad_[p] == NIL) return;
  int q;
  if (rson_[p] == NIL) {
    q = lson_[p];
  } else if (lson_[p] == NIL) {
    q = rson_[p];
  } else {
    q = lson_[p];
    if (rson_[q] != NIL) {
      do q = rson_[q];
      while (rson_[q] != NIL);
      rson_[dad_[q]] = lson_[q];
      dad_[lson_[q]] = dad_[q];
      lson_[q] = lson_[p];
      dad_[lson_[p]] = q;
    }
    rson_[q] = rson_[p];
    dad_[rson_[p]] = q;
  }
  dad_[q] = dad_[p];
  (rson_[dad_[p]] == p ? rson_[dad_[p]] : lson_[dad_[p]]) = q;
  dad_[p] = NIL;
}

// The symbol's code is the path from the root to its leaf: an odd node is the second child.
void Encoder::EncodeChar(int c) {
  std::uint64_t code = 0;
  int length = 0;
  for (int k = tree_.Parent[c + T]; k != R; k = tree_.Parent[k]) {
    if (length == 64) throw std::runtime_error("LZH : code longer than 64 bits");
    code |= std::uint64_t(k & 1) << length++;
  }
  bits_.Put(code, length);
  tree_.Update(c);
}

void Encoder::EncodePosition(int position) {
  const int high = position >> 6;
  const int length = PosLen[kPosCode[high]];
  bits_.Put(kPosCode[high] >> (8 - length), length);
  bits_.Put(static_cast<std::uint64_t>(position & 0x3F), 6);
}

void Encoder::Run(std::span<const std::uint8_t> data) {
  if (data.empty()) return;
  tree_.Start();
  for (int i = N + 1; i <= N + 256; ++i) rson_[i] = NIL;
  for (int i = 0; i < N; ++i) dad_[i] = NIL;

  std::size_t in = 0;
  int s = 0, r = kInitialFill;
  for (int i = 0; i < r; ++i) text_[i] = ' ';
  int len = 0;
  for (; len < F && in < data.size(); ++len) text_[r + len] = data[in++];
  for (int i = 1; i <= F; ++i) InsertNode(r - i);
  InsertNode(r);
  do {
    if (matchLength_ > len) matchLength_ = len;
    if (matchLength_ <= THRESHOLD) {
      matchLength_ = 1;
      EncodeChar(text_[r]);
    } else {
      EncodeChar(255 - THRESHOLD + matchLength_);
      EncodePosition(matchPosition_);
    }
    const int lastMatchLength = matchLength_;
    int i = 0;
    for (; i < lastMatchLength && in < data.size(); ++i) {
      const std::uint8_t c = data[in++];
      DeleteNode(s);
      text_[s] = c;
      if (s < F - 1) text_[s + N] = c;  // mirror the start so matches can run past the end
      s = (s + 1) & (N - 1);
      r = (r + 1) & (N - 1);
      InsertNode(r);
    }
    for (; i < lastMatchLength; ++i) {
      DeleteNode(s);
      s = (s + 1) & (N - 1);
      r = (r + 1) & (N - 1);
      if (--len) InsertNode(r);
    }
  } while (len > 0);
  bits_.Finish();
}

}  // namespace

std::vector<std::uint8_t> CompressBlock(std::span<const std::uint8_t> data) {
  if (data.size() > 0xFFFFFFFFu) throw std::length_error("input larger than 4 GiB");
  const auto size = static_cast<std::uint32_t>(data.size());
  std::vector<std::uint8_t> out = {
      static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8),
      static_cast<std::uint8_t>(size >> 16), static_cast<std::uint8_t>(size >> 24)};
  // The encoder's tables are large; keep them off the stack.
  auto encoder = std::make_unique<Encoder>(out);
  encoder->Run(data);
  return out;
}

}  // namespace skinpack
