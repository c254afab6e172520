// Minimal byte streams for the portable skin code: a reader that hands out one byte at a time
// and a writer that takes one byte at a time, with in-memory versions of both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace skin {

class TByteReader {
 public:
  virtual ~TByteReader() = default;
  // The next byte, or -1 at the end of the input.
  virtual int ReadByte() = 0;
};

class TByteWriter {
 public:
  virtual ~TByteWriter() = default;
  virtual void WriteByte(std::uint8_t b) = 0;
};

class TMemoryReader final : public TByteReader {
 public:
  explicit TMemoryReader(std::span<const std::uint8_t> data) : data_(data) {}
  int ReadByte() override { return pos_ < data_.size() ? data_[pos_++] : -1; }
  std::size_t Position() const { return pos_; }
  void Seek(std::size_t pos) { pos_ = pos < data_.size() ? pos : data_.size(); }

 private:
  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
};

class TMemoryWriter final : public TByteWriter {
 public:
  explicit TMemoryWriter(std::vector<std::uint8_t>& target) : target_(target) {}
  void WriteByte(std::uint8_t b) override { target_.push_back(b); }

 private:
  std::vector<std::uint8_t>& target_;
};

}  // namespace skin
