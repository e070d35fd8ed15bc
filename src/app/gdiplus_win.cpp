#include "app/gdiplus_win.h"

#include <objidl.h>

#include <cstring>

#include "app/resource_bytes_win.h"
#include "app/text_win.h"
#include "app/title_window_art.h"

namespace mf::app {
namespace {

struct StreamReleaser {
  void operator()(IStream* stream) const { stream->Release(); }
};

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

std::unique_ptr<Gdiplus::Bitmap> LoadImageResource(HINSTANCE instance, int resourceId) {
  std::string_view bytes = ResourceBytes(instance, resourceId);
  if (bytes.empty()) return nullptr;

  // The stream owns this block and frees it when the stream is released.
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!block) return nullptr;
  if (void* target = ::GlobalLock(block)) {
    std::memcpy(target, bytes.data(), bytes.size());
    ::GlobalUnlock(block);
  } else {
    ::GlobalFree(block);
    return nullptr;
  }
  IStream* rawStream = nullptr;
  if (FAILED(::CreateStreamOnHGlobal(block, TRUE, &rawStream))) {
    ::GlobalFree(block);
    return nullptr;
  }
  std::unique_ptr<IStream, StreamReleaser> stream(rawStream);

  std::unique_ptr<Gdiplus::Bitmap> decoded(Gdiplus::Bitmap::FromStream(stream.get()));
  if (!decoded || decoded->GetLastStatus() != Gdiplus::Ok) return nullptr;
  UINT width = decoded->GetWidth(), height = decoded->GetHeight();
  if (width == 0 || height == 0) return nullptr;

  // Copy into memory the bitmap owns, so nothing refers to the stream once it is released.
  // Asking for premultiplied pixels converts them once here instead of at every paint.
  Gdiplus::Rect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
  auto copy = std::make_unique<Gdiplus::Bitmap>(all.Width, all.Height, PixelFormat32bppPARGB);
  Gdiplus::BitmapData source = {}, target = {};
  if (copy->GetLastStatus() != Gdiplus::Ok ||
      decoded->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &source) != Gdiplus::Ok)
    return nullptr;
  bool copied = copy->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppPARGB, &target) == Gdiplus::Ok;
  if (copied) {
    for (UINT row = 0; row < height; ++row)
      std::memcpy(static_cast<BYTE*>(target.Scan0) + static_cast<ptrdiff_t>(row) * target.Stride,
                  static_cast<const BYTE*>(source.Scan0) + static_cast<ptrdiff_t>(row) * source.Stride, width * 4u);
    copy->UnlockBits(&target);
  }
  decoded->UnlockBits(&source);
  if (!copied) return nullptr;
  return copy;
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

}  // namespace mf::app
