#pragma once
// GDI+ for the launcher: the session that must outlive every GDI+ object, the PNG encoder,
// and font choice from lists of preferred families.
#include <windows.h>
#include <gdiplus.h>

#include <memory>
#include <optional>
#include <span>

namespace mf::ui {

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

// The GDI+ encoder for "image/png", if there is one (GDI+ must be started).
std::optional<CLSID> FindPngEncoder();

inline constexpr char kLastResortFontFamily[] = "Microsoft Sans Serif";

// The first installed family of the list; else the system's generic sans-serif; else
// kLastResortFontFamily.
std::unique_ptr<Gdiplus::FontFamily> ChooseFontFamily(std::span<const char* const> preferred);

}  // namespace mf::ui
