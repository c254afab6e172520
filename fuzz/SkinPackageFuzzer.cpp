// libFuzzer target over the whole skin package loader. Inputs are compressed packages.
// Random changes to a compressed stream mostly yield containers that fail their first check,
// so the custom mutator also changes the uncompressed container and compresses it again:
// that way the container, description and bitmap code see well-formed and subtly broken
// packages alike. Every input is also decoded by the classic LZHUF decoder's transcription:
// the skin decoder must give the same bytes for any block, damaged or not.
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "ClassicLzhuf.h"
#include "LzhEncoder.h"
#include "SkinLoad.h"
#include "skin/model/LZH.h"

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

namespace {

void CheckAgainstClassicDecoder(std::span<const uint8_t> block) {
  if (block.size() < 4 || skin::ReadLE32(block.data()) > skinfuzz::kFuzzMaxSize) return;
  if (skin::DecompressBlock(block, skinfuzz::kFuzzMaxSize) != lzhuf_classic::DecodeBlock(block)) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckAgainstClassicDecoder({data, size});
  skinfuzz::LoadWholeSkin({data, size});
  return 0;
}

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize,
                                          unsigned int seed) {
  std::minstd_rand random(seed);
  if (random() % 4 == 0) return LLVMFuzzerMutate(data, size, maxSize);
  std::vector<uint8_t> container;
  try {
    container = skin::DecompressBlock({data, size}, skinfuzz::kFuzzMaxSize);
  } catch (const skin::ElzhException&) {
    return LLVMFuzzerMutate(data, size, maxSize);
  }
  const size_t used = container.size();
  container.resize(used + 256);
  container.resize(LLVMFuzzerMutate(container.data(), used, container.size()));
  const std::vector<uint8_t> block = skinpack::CompressBlock(container);
  if (block.size() > maxSize) return LLVMFuzzerMutate(data, size, maxSize);
  std::memcpy(data, block.data(), block.size());
  return block.size();
}
