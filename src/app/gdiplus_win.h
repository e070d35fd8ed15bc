#pragma once
// GDI+ for the launcher: the session that must outlive every GDI+ object, image loading
// from the executable's resources, the PNG encoder, and font choice from lists of
// preferred families.
#include <windows.h>
#include <gdiplus.h>

#include <memory>
#include <optional>
#include <span>

namespace mf::app {

// GdiplusStartup for the lifetime of the object; GdiplusShutdown when it goes.
class GdiplusSession {
 public:
  GdiplusSession();
  ~GdiplusSession();
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  bool ok() const { return token_ != 0; }

 private:
  ULONG_PTR token_ = 0;
};

// The picture an RCDATA resource holds, as pixels ready to draw (see app/pixel_image.h) or
// as a PNG; nothing when the resource is missing, empty or not a picture. The result is
// premultiplied 32-bit, quick to draw: an opaque picture in pixel form is drawn from the
// executable's own pages, anything else is a copy.
std::unique_ptr<Gdiplus::Bitmap> LoadImageResource(HINSTANCE instance, int resourceId);

// The GDI+ encoder for "image/png", if there is one (GDI+ must be started).
std::optional<CLSID> FindPngEncoder();

// The first installed family of the list; else the system's generic sans-serif; else
// "Microsoft Sans Serif".
std::unique_ptr<Gdiplus::FontFamily> ChooseFontFamily(std::span<const char* const> preferred);

}  // namespace mf::app
