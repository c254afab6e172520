// A plain transcription of the classic LZHUF decoder of 1988: an adaptive Huffman tree read
// one bit at a time, positions by a fixed prefix code, and a 4,096-byte ring buffer through
// which every output byte passes. Written from the published algorithm as a reference: the
// benchmark measures the skin decoder against it and the tests compare outputs with it. The
// program never uses it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace lzhuf_classic {

// Decodes a compressed block: a 4-byte little-endian uncompressed size, then the bit stream.
// Input past the end reads as zero bytes; a final match is copied whole.
std::vector<std::uint8_t> DecodeBlock(std::span<const std::uint8_t> block);

}  // namespace lzhuf_classic
