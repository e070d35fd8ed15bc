#pragma once
// GDI+ for the launcher: the session that must outlive every GDI+ object, image loading
// from the executable's resources, and font choice from lists of preferred families.
#include <windows.h>
#include <gdiplus.h>

#include <memory>
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

// Decodes an RCDATA resource holding a PNG; nothing when the resource is missing, empty
// or not an image. The result is a premultiplied 32-bit copy, quick to draw.
std::unique_ptr<Gdiplus::Bitmap> LoadImageResource(HINSTANCE instance, int resourceId);

// The first installed family of the list; else the system's generic sans-serif; else
// "Microsoft Sans Serif".
std::unique_ptr<Gdiplus::FontFamily> ChooseFontFamily(std::span<const char* const> preferred);

}  // namespace mf::app
