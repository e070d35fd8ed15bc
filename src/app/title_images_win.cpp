#include "app/title_images_win.h"

#include <objidl.h>

#include <cstring>
#include <optional>
#include <string_view>

#include "app/pixel_image.h"
#include "app/resource_bytes_win.h"

namespace mf::app {
namespace {

struct StreamReleaser {
  void operator()(IStream* stream) const { stream->Release(); }
};

// The PNG decoded through a stream over a movable copy of its bytes.
std::unique_ptr<Gdiplus::Bitmap> DecodePng(std::string_view bytes) {
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
  return decoded;
}

// A premultiplied copy in memory the bitmap owns, so nothing refers to the source once it
// is gone, and the pixels are converted once here instead of at every paint.
std::unique_ptr<Gdiplus::Bitmap> PremultipliedCopy(Gdiplus::Bitmap& source) {
  UINT width = source.GetWidth(), height = source.GetHeight();
  if (width == 0 || height == 0) return nullptr;
  Gdiplus::Rect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
  auto copy = std::make_unique<Gdiplus::Bitmap>(all.Width, all.Height, PixelFormat32bppPARGB);
  Gdiplus::BitmapData from = {}, to = {};
  if (copy->GetLastStatus() != Gdiplus::Ok ||
      source.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &from) != Gdiplus::Ok)
    return nullptr;
  bool copied = copy->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppPARGB, &to) == Gdiplus::Ok;
  if (copied) {
    for (UINT row = 0; row < height; ++row)
      std::memcpy(static_cast<BYTE*>(to.Scan0) + static_cast<ptrdiff_t>(row) * to.Stride,
                  static_cast<const BYTE*>(from.Scan0) + static_cast<ptrdiff_t>(row) * from.Stride, width * 4u);
    copy->UnlockBits(&to);
  }
  source.UnlockBits(&from);
  if (!copied) return nullptr;
  return copy;
}

}  // namespace

std::unique_ptr<Gdiplus::Bitmap> LoadImageResource(HINSTANCE instance, int resourceId) {
  std::string_view bytes = ResourceBytes(instance, resourceId);
  if (bytes.empty()) return nullptr;

  if (std::optional<PixelImage> image = ReadPixelImage(bytes)) {
    // Resource memory stays mapped while the executable runs, and GDI+ only reads it: a
    // picture stored premultiplied (or opaque, where premultiplying changes nothing) draws
    // straight from the executable's pages, with no copy of its own. An opaque one is made
    // a bitmap without alpha, which tells the painting it may be copied rather than blended.
    BYTE* pixels = const_cast<BYTE*>(image->pixels);
    INT stride = image->width * 4;
    if (image->opaque || image->premultiplied) {
      Gdiplus::PixelFormat format = image->opaque ? PixelFormat32bppRGB : PixelFormat32bppPARGB;
      auto direct = std::make_unique<Gdiplus::Bitmap>(image->width, image->height, stride, format, pixels);
      return direct->GetLastStatus() == Gdiplus::Ok ? std::move(direct) : nullptr;
    }
    Gdiplus::Bitmap straight(image->width, image->height, stride, PixelFormat32bppARGB, pixels);
    return straight.GetLastStatus() == Gdiplus::Ok ? PremultipliedCopy(straight) : nullptr;
  }
  std::unique_ptr<Gdiplus::Bitmap> decoded = DecodePng(bytes);
  return decoded ? PremultipliedCopy(*decoded) : nullptr;
}

}  // namespace mf::app
