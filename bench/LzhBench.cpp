// Decoding speed of the skin decoder side by side with a plain transcription of the classic
// LZHUF decoder, on four kinds of block, measured in one run with interleaved repetitions so
// that the ratios hold on any machine. Prints throughput ours / classic per kind.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "ClassicLzhuf.h"
#include "LzhEncoder.h"
#include "skin/model/LZH.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

void PutLE(Bytes& out, std::uint32_t v, int width) {
  for (int i = 0; i < width; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A 256 x 256 24-bit bitmap file (192 KB of pixels) as skins hold them: a strip of four button
// frames with key-colour corners, a dark border, and gradients across and down each face.
Bytes SkinLikeBitmap() {
  constexpr int kWidth = 256, kHeight = 256, kFrame = kWidth / 4;
  Bytes f = {'B', 'M'};
  PutLE(f, 54 + kWidth * 3 * kHeight, 4);
  PutLE(f, 0, 4);
  PutLE(f, 54, 4);
  for (std::uint32_t v : {40u, std::uint32_t(kWidth), std::uint32_t(kHeight)}) PutLE(f, v, 4);
  PutLE(f, 1, 2);
  PutLE(f, 24, 2);
  for (int i = 0; i < 6; ++i) PutLE(f, 0, 4);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const int frame = x / kFrame, fx = x % kFrame;
      const bool corner = (fx < 3 || fx >= kFrame - 3) && (y < 3 || y >= kHeight - 3);
      const bool border = fx < 2 || fx >= kFrame - 2 || y < 2 || y >= kHeight - 2;
      std::uint8_t b = 255, g = 0, r = 255;
      if (border && !corner) {
        b = 60, g = 40, r = 40;
      } else if (!corner) {
        b = static_cast<std::uint8_t>(230 - fx * 20 / kFrame - frame * 9);
        g = static_cast<std::uint8_t>(210 - y * 50 / kHeight + fx / 16);
        r = static_cast<std::uint8_t>(200 - y * 60 / kHeight + frame * 8);
      }
      f.insert(f.end(), {b, g, r});
    }
  }
  return f;
}

Bytes RandomBytes(std::size_t size) {
  std::mt19937 random(12);
  Bytes b(size);
  for (auto& v : b) v = static_cast<std::uint8_t>(random());
  return b;
}

// Runs of one byte value, 64 to 4,096 bytes long.
Bytes LongRuns(std::size_t size) {
  std::mt19937 random(34);
  Bytes b;
  while (b.size() < size) {
    const std::size_t length = std::min<std::size_t>(64 + random() % 4033, size - b.size());
    b.insert(b.end(), length, static_cast<std::uint8_t>(random()));
  }
  return b;
}

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot open %s\n", path.c_str());
    std::exit(2);
  }
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct Kind {
  const char* name;
  Bytes data;
};

template <typename F>
double Seconds(F&& run, int repeats) {
  const auto start = Clock::now();
  for (int i = 0; i < repeats; ++i) run();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

// Optional argument: run only the kinds whose name contains it.
int main(int argc, char** argv) {
  const std::string only = argc > 1 ? argv[1] : "";
  const Kind kinds[] = {
      {"skin-like bitmap", SkinLikeBitmap()},
      {"random bytes", RandomBytes(120 * 1024)},
      {"long runs", LongRuns(800 * 1024)},
      {"style sheet", ReadFile(VEXLO_TESTDATA_DIR "/lzhuf/css.bin")},
  };
  constexpr int kSamples = 31;
  volatile std::size_t sink = 0;
  bool identical = true;

  std::printf("%-17s %9s %9s %10s %10s %8s %8s\n", "block", "bytes", "packed", "ours MB/s",
              "classic", "best", "median");
  for (const Kind& kind : kinds) {
    if (std::string(kind.name).find(only) == std::string::npos) continue;
    const Bytes block = skinpack::CompressBlock(kind.data);
    const Bytes ours = skin::DecompressBlock(block);
    const Bytes classic = lzhuf_classic::DecodeBlock(block);
    if (ours != kind.data || classic != kind.data) {
      std::printf("%-17s decoders disagree with the input\n", kind.name);
      identical = false;
      continue;
    }
    // Each sample decodes about 1 MB; the two decoders take turns, each going first in half
    // of the samples, so that drift in the machine's speed hits both alike.
    const int repeats = std::max<int>(1, static_cast<int>(1'000'000 / kind.data.size()));
    auto runOurs = [&] { sink = sink + skin::DecompressBlock(block).size(); };
    auto runClassic = [&] { sink = sink + lzhuf_classic::DecodeBlock(block).size(); };
    std::vector<double> oursTimes, classicTimes, ratios;
    for (int s = 0; s < kSamples; ++s) {
      double a, b;
      if (s % 2 == 0) {
        a = Seconds(runOurs, repeats);
        b = Seconds(runClassic, repeats);
      } else {
        b = Seconds(runClassic, repeats);
        a = Seconds(runOurs, repeats);
      }
      oursTimes.push_back(a);
      classicTimes.push_back(b);
      ratios.push_back(b / a);
    }
    const double bytes = static_cast<double>(kind.data.size()) * repeats;
    const double bestOurs = *std::min_element(oursTimes.begin(), oursTimes.end());
    const double bestClassic = *std::min_element(classicTimes.begin(), classicTimes.end());
    std::printf("%-17s %9zu %9zu %10.1f %10.1f %8.2f %8.2f\n", kind.name, kind.data.size(),
                block.size(), bytes / bestOurs / 1e6, bytes / bestClassic / 1e6,
                bestClassic / bestOurs, Median(ratios));
  }
  std::printf("best: fastest sample of each decoder; median: median of the per-sample ratios\n");
  std::printf("ratio = throughput ours / classic (targets: >= 1.0 each, >= 2.0 on long runs)\n");
  return identical ? 0 : 1;
}
