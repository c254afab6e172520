#include "LzhTree.h"

#include <algorithm>

namespace skin::lzh {

void THuffTree::Start() {
  for (int i = 0; i < N_CHAR; ++i) {
    Freq[i] = 1;
    Son[i] = static_cast<std::uint16_t>(i + T);
    Parent[i + T] = static_cast<std::uint16_t>(i);
  }
  for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
    Freq[j] = static_cast<std::uint16_t>(Freq[i] + Freq[i + 1]);
    Son[j] = static_cast<std::uint16_t>(i);
    Parent[i] = Parent[i + 1] = static_cast<std::uint16_t>(j);
  }
  Freq[T] = 0xFFFF;
  Parent[R] = 0;
  RunEnd.fill(0);
}

// Halves all leaf counts and rebuilds the inner nodes in sorted order.
void THuffTree::Rebuild() {
  int j = 0;
  for (int i = 0; i < T; ++i) {
    if (Son[i] >= T) {
      Freq[j] = static_cast<std::uint16_t>((Freq[i] + 1) / 2);
      Son[j] = Son[i];
      ++j;
    }
  }
  for (int i = 0, node = N_CHAR; node < T; i += 2, ++node) {
    const unsigned f = Freq[i] + Freq[i + 1];
    int k = node - 1;
    while (f < Freq[k]) --k;
    ++k;
    std::copy_backward(Freq.begin() + k, Freq.begin() + node, Freq.begin() + node + 1);
    std::copy_backward(Son.begin() + k, Son.begin() + node, Son.begin() + node + 1);
    Freq[k] = static_cast<std::uint16_t>(f);
    Son[k] = static_cast<std::uint16_t>(i);
  }
  for (int i = 0; i < T; ++i) {
    const int k = Son[i];
    Parent[k] = static_cast<std::uint16_t>(i);
    if (k < T) Parent[k + 1] = static_cast<std::uint16_t>(i);
  }
}

// The last node after `node` whose count is below k, where the next node's count is below k
// too. Counts never fall along the node order, so this is where the run of counts equal to
// k - 1 ends: the hint if it passes the check, else found by walking forward.
int THuffTree::LastBelow(int node, unsigned k) const {
  int l = RunEnd[(k - 1) % kRunEnds];
  if (l <= node || Freq[l] >= k || Freq[l + 1] < k) {
    l = node + 1;
    while (k > Freq[l + 1]) ++l;
  }
  return l;
}

void THuffTree::Update(int c) {
  if (Freq[R] == MAX_FREQ) Rebuild();
  int node = Parent[c + T];
  do {
    const unsigned k = ++Freq[node];
    if (k > Freq[node + 1]) {
      // Swap with the last node whose count is still below k; the run then ends before it.
      const int l = LastBelow(node, k);
      RunEnd[(k - 1) % kRunEnds] = static_cast<std::uint16_t>(l - 1);
      Freq[node] = Freq[l];
      Freq[l] = static_cast<std::uint16_t>(k);

      const int i = Son[node];
      Parent[i] = static_cast<std::uint16_t>(l);
      if (i < T) Parent[i + 1] = static_cast<std::uint16_t>(l);
      const int j = Son[l];
      Son[l] = static_cast<std::uint16_t>(i);
      Parent[j] = static_cast<std::uint16_t>(node);
      if (j < T) Parent[j + 1] = static_cast<std::uint16_t>(node);
      Son[node] = static_cast<std::uint16_t>(j);
      node = l;
    }
    node = Parent[node];
  } while (node != 0);
}

}  // namespace skin::lzh
