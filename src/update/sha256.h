#pragma once
// SHA-256 over data that arrives in pieces, for checking a download against the digest
// the release feed publishes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mf::update {

class Sha256 {
 public:
  Sha256();
  void Update(const void* data, size_t size);
  // The digest as 64 lower-case hex digits. Ends the hash: call once.
  std::string HexDigest();

 private:
  void Block(const std::uint8_t* block);

  std::array<std::uint32_t, 8> state_;
  std::array<std::uint8_t, 64> buffer_{};
  size_t buffered_ = 0;
  std::uint64_t length_ = 0;
};

}  // namespace mf::update
