#include "ui/gdiplus_win.h"

#include <optional>
#include <string_view>
#include <vector>

#include "ui/text_win.h"

namespace mf::ui {
namespace {

bool IsUsable(const Gdiplus::FontFamily& family) {
  return family.GetLastStatus() == Gdiplus::Ok && family.IsAvailable();
}

std::wstring GenericSansSerifName() {
  Gdiplus::GpFontFamily* generic = nullptr;
  if (Gdiplus::DllExports::GdipGetGenericFontFamilySansSerif(&generic) != Gdiplus::Ok || !generic) return {};
  WCHAR name[LF_FACESIZE] = {};
  Gdiplus::DllExports::GdipGetFamilyName(generic, name, LANG_NEUTRAL);
  Gdiplus::DllExports::GdipDeleteFontFamily(generic);
  return name;
}

}  // namespace

GdiplusSession::GdiplusSession() {
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
}

GdiplusSession::~GdiplusSession() {
  if (token_) Gdiplus::GdiplusShutdown(token_);
}

std::optional<CLSID> FindPngEncoder() {
  UINT count = 0, size = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return std::nullopt;
  std::vector<BYTE> buffer(size);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, size, encoders) != Gdiplus::Ok) return std::nullopt;
  for (UINT i = 0; i < count; ++i)
    if (encoders[i].MimeType && std::wstring_view(encoders[i].MimeType) == L"image/png") return encoders[i].Clsid;
  return std::nullopt;
}

std::unique_ptr<Gdiplus::FontFamily> ChooseFontFamily(std::span<const char* const> preferred) {
  for (const char* name : preferred) {
    auto family = std::make_unique<Gdiplus::FontFamily>(Utf8ToWide(name).c_str());
    if (IsUsable(*family)) return family;
  }
  std::wstring generic = GenericSansSerifName();
  if (generic.empty()) generic = Utf8ToWide(kLastResortFontFamily);
  return std::make_unique<Gdiplus::FontFamily>(generic.c_str());
}

}  // namespace mf::ui
