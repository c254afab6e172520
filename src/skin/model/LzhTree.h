// The adaptive Huffman tree and the position-code tables of the LZHUF scheme, shared by the
// skin decoder and the skinpack encoder. Both sides must evolve the tree identically, so the
// tree maintenance lives in one place.
#pragma once

#include <array>
#include <cstdint>

namespace skin::lzh {

inline constexpr int N = 4096;                      // window size: positions are 12 bits
inline constexpr int F = 60;                        // look-ahead: the longest match
inline constexpr int THRESHOLD = 2;                 // matches are at least THRESHOLD + 1 bytes long
inline constexpr int N_CHAR = 256 - THRESHOLD + F;  // 256 literals and 58 match lengths
inline constexpr int T = N_CHAR * 2 - 1;            // nodes of the tree
inline constexpr int R = T - 1;                     // the root node
inline constexpr unsigned MAX_FREQ = 0x8000;        // root count at which the tree is rebuilt
inline constexpr int kWindowBytes = N + F - 1;      // window plus look-ahead minus one
inline constexpr int kInitialFill = N - F;          // leading spaces and the first write position

static_assert(N_CHAR == 314 && T == 627 && R == 626 && kWindowBytes == 4155);

namespace detail {
// The position code gives short codes to near positions: for each leading byte, the upper six
// position bits and the total code length. Groups of (number of position values, code length).
struct PosGroup {
  int values;
  int bytesPerValue;
  std::uint8_t length;
};
inline constexpr PosGroup kPosGroups[] = {{1, 32, 3}, {3, 16, 4}, {8, 8, 5},
                                          {12, 4, 6}, {24, 2, 7}, {16, 1, 8}};

constexpr std::array<std::uint8_t, 256> MakePosTable(bool wantLength) {
  std::array<std::uint8_t, 256> table{};
  int byte = 0, high = 0;
  for (const PosGroup& g : kPosGroups) {
    for (int v = 0; v < g.values; ++v, ++high) {
      for (int k = 0; k < g.bytesPerValue; ++k, ++byte) {
        table[byte] = wantLength ? g.length : static_cast<std::uint8_t>(high);
      }
    }
  }
  return table;
}
}  // namespace detail

// Upper six position bits for each leading byte of a position code.
inline constexpr std::array<std::uint8_t, 256> PosHigh = detail::MakePosTable(false);
// Total code length in bits (before the six plain bits) for each leading byte.
inline constexpr std::array<std::uint8_t, 256> PosLen = detail::MakePosTable(true);

static_assert(PosHigh[31] == 0 && PosHigh[32] == 1 && PosHigh[80] == 4 && PosHigh[255] == 63);
static_assert(PosLen[0] == 3 && PosLen[79] == 4 && PosLen[143] == 5 && PosLen[255] == 8);

// The adaptive Huffman tree over N_CHAR symbols. Leaves are stored as Son values >= T.
struct THuffTree {
  std::array<std::uint16_t, T + 1> Freq;         // counts, plus a sentinel at T
  std::array<std::uint16_t, T + N_CHAR> Parent;  // parent of nodes 0..T-1 and of leaves
  std::array<std::uint16_t, T> Son;              // first child (the second is Son + 1)

  // The last node of the run of nodes with count v, at v modulo the table size: a hint that
  // spares Update its search in most steps. An entry is trusted only after a check.
  static constexpr unsigned kRunEnds = 1024;
  std::array<std::uint16_t, kRunEnds> RunEnd;

  void Start();
  // Counts one more occurrence of symbol c and restores the sibling order.
  void Update(int c);

 private:
  void Rebuild();
  int LastBelow(int node, unsigned k) const;
};

}  // namespace skin::lzh
