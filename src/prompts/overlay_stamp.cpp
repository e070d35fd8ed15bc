#include "prompts/overlay_stamp.h"

#include <array>
#include <cstdio>

namespace mf::prompts {
namespace {

// Bump when the drawing changes within one release, so older overlays are redrawn.
constexpr int kDrawingRevision = 1;

constexpr std::string_view kStampKeyword = "Mirefall prompt overlay";
constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1A\n";
constexpr std::string_view kIendChunk{"\0\0\0\0IEND\xAE\x42\x60\x82", 12};

std::string Hex64(std::uint64_t value) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

std::uint32_t Crc32(std::string_view bytes) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (char b : bytes) crc = table[(crc ^ static_cast<std::uint8_t>(b)) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

void AppendBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

// The whole tEXt chunk (length, type, data, CRC) for a PNG whose bytes before it are body.
std::string StampChunk(std::string_view body, std::string_view fingerprint) {
  std::string typeAndData = "tEXt";
  typeAndData += kStampKeyword;
  typeAndData += '\0';
  typeAndData += fingerprint;
  typeAndData += ' ';
  typeAndData += Hex64(Fnv1a64(body));
  std::string chunk;
  AppendBigEndian(chunk, static_cast<std::uint32_t>(typeAndData.size() - 4));
  chunk += typeAndData;
  AppendBigEndian(chunk, Crc32(typeAndData));
  return chunk;
}

std::string DescribeStep(const DrawStep& step, const IconFiles& icons) {
  char place[160];
  std::snprintf(place, sizeof place, "%d %.3f %.3f %.3f %.3f ", static_cast<int>(step.kind), step.rect.x, step.rect.y,
                step.rect.w, step.rect.h);
  std::string text = place;
  for (char16_t unit : step.label) text += std::to_string(static_cast<unsigned>(unit)) + ",";
  text += " " + step.icon + " ";
  auto icon = icons.find(step.icon);
  text += step.kind != DrawKind::Icon ? "-" : icon == icons.end() ? "missing" : Hex64(Fnv1a64(icon->second));
  return text + "\n";
}

}  // namespace

std::uint64_t Fnv1a64(std::string_view bytes) {
  std::uint64_t hash = 0xCBF29CE484222325ull;
  for (char b : bytes) {
    hash ^= static_cast<std::uint8_t>(b);
    hash *= 0x100000001B3ull;
  }
  return hash;
}

std::string OverlayFingerprint(std::string_view programVersion, std::string_view fontFamily, const AtlasPlan& plan,
                               const IconFiles& icons) {
  std::string description = "revision " + std::to_string(kDrawingRevision) + "\n";
  description += std::string(programVersion) + "\n" + std::string(fontFamily) + "\n";
  description += std::string(plan.atlas->name) + " " + std::to_string(AtlasImageEdge(*plan.atlas)) + "\n";
  for (const DrawStep& step : plan.steps) description += DescribeStep(step, icons);
  return Hex64(Fnv1a64(description));
}

std::optional<std::string> AddOverlayStamp(std::string_view png, std::string_view fingerprint) {
  if (png.size() < kPngSignature.size() + kIendChunk.size() || !png.starts_with(kPngSignature) ||
      !png.ends_with(kIendChunk))
    return std::nullopt;
  std::string_view body = png.substr(0, png.size() - kIendChunk.size());
  std::string stamped(body);
  stamped += StampChunk(body, fingerprint);
  stamped += kIendChunk;
  return stamped;
}

bool HasOverlayStamp(std::string_view fileBytes, std::string_view fingerprint) {
  if (!fileBytes.starts_with(kPngSignature) || !fileBytes.ends_with(kIendChunk)) return false;
  // The stamp's length is known from the fingerprint, so it can be found from the end.
  const std::size_t chunkSize = StampChunk({}, fingerprint).size();
  if (fileBytes.size() < kPngSignature.size() + chunkSize + kIendChunk.size()) return false;
  const std::size_t chunkStart = fileBytes.size() - kIendChunk.size() - chunkSize;
  std::string_view body = fileBytes.substr(0, chunkStart);
  return fileBytes.substr(chunkStart, chunkSize) == StampChunk(body, fingerprint);
}

}  // namespace mf::prompts
