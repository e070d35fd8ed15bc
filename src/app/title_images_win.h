#pragma once
// The title-screen pictures the executable carries, loaded for GDI+.
#include <windows.h>
#include <gdiplus.h>

#include <memory>

namespace mf::app {

// The picture an RCDATA resource holds, as pixels ready to draw (see app/pixel_image.h) or
// as a PNG; nothing when the resource is missing, empty or not a picture. The result is
// quick to draw: 32bppRGB for an opaque picture and 32bppPARGB otherwise. A picture in
// pixel form that is opaque or premultiplied is drawn from the executable's own pages;
// anything else is a premultiplied copy.
std::unique_ptr<Gdiplus::Bitmap> LoadImageResource(HINSTANCE instance, int resourceId);

}  // namespace mf::app
