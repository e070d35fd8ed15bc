#include "prompts/prompt_drawing_win.h"

#include <objidl.h>
#include <shlwapi.h>

#include <memory>
#include <vector>

#include "prompts/prompt_shapes.h"

namespace mf::prompts {
namespace {

using Gdiplus::Color;

struct ComReleaser {
  void operator()(IUnknown* object) const { object->Release(); }
};
using UniqueStream = std::unique_ptr<IStream, ComReleaser>;

Gdiplus::RectF ToGdiplus(RectF r) { return {r.x, r.y, r.w, r.h}; }
Gdiplus::PointF ToGdiplus(PointF p) { return {p.x, p.y}; }

const WCHAR* Wide(std::u16string_view text) { return reinterpret_cast<const WCHAR*>(text.data()); }

void AddArc(Gdiplus::GraphicsPath& path, const Arc& arc) {
  path.AddArc(ToGdiplus(arc.bounds), arc.startAngle, arc.sweepAngle);
}

void AddRoundedRect(Gdiplus::GraphicsPath& path, RectF r, float radius) {
  const float d = 2 * radius;
  path.AddArc(r.x, r.y, d, d, 180, 90);
  path.AddArc(r.Right() - d, r.y, d, d, 270, 90);
  path.AddArc(r.Right() - d, r.Bottom() - d, d, d, 0, 90);
  path.AddArc(r.x, r.Bottom() - d, d, d, 90, 90);
  path.CloseFigure();
}

void FillRoundedRect(Gdiplus::Graphics& graphics, const Gdiplus::Brush& brush, RectF r, float radius) {
  Gdiplus::GraphicsPath path;
  AddRoundedRect(path, r, radius);
  graphics.FillPath(&brush, &path);
}

// Top to bottom over r. Mirrored tiling keeps the far colour from wrapping round onto the
// first row, as plain tiling does.
void FillRoundedRectGradient(Gdiplus::Graphics& graphics, RectF r, float radius, std::uint32_t top,
                             std::uint32_t bottom) {
  Gdiplus::LinearGradientBrush brush(ToGdiplus(r), Color(top), Color(bottom), Gdiplus::LinearGradientModeVertical);
  brush.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
  FillRoundedRect(graphics, brush, r, radius);
}

float MeasureTextWidth(Gdiplus::Graphics& graphics, const Gdiplus::FontFamily& family, std::u16string_view label,
                       float size) {
  Gdiplus::Font font(&family, size, Gdiplus::FontStyleBold, Gdiplus::UnitPixel);
  Gdiplus::RectF bounds;
  graphics.MeasureString(Wide(label), static_cast<INT>(label.size()), &font, Gdiplus::PointF(0, 0), &bounds);
  return bounds.Width;
}

void FillClosedArcs(Gdiplus::Graphics& graphics, const std::array<Arc, 2>& arcs, std::uint32_t fill,
                    const Gdiplus::Pen& pen) {
  Gdiplus::GraphicsPath path;
  AddArc(path, arcs[0]);
  AddArc(path, arcs[1]);
  path.CloseFigure();
  Gdiplus::SolidBrush brush{Color(fill)};
  graphics.FillPath(&brush, &path);
  graphics.DrawPath(&pen, &path);
}

void FillTriangle(Gdiplus::Graphics& graphics, const Gdiplus::Brush& brush, const std::array<PointF, 3>& corners) {
  Gdiplus::PointF points[3] = {ToGdiplus(corners[0]), ToGdiplus(corners[1]), ToGdiplus(corners[2])};
  graphics.FillPolygon(&brush, points, 3);
}

UniqueStream StreamOver(std::string_view bytes) {
  return UniqueStream(::SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size())));
}

std::optional<std::string> StreamBytes(IStream* stream) {
  STATSTG stat = {};
  if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || stat.cbSize.QuadPart > 0x7FFFFFFF) return std::nullopt;
  LARGE_INTEGER start = {};
  if (FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr))) return std::nullopt;
  std::string bytes(static_cast<size_t>(stat.cbSize.QuadPart), '\0');
  ULONG read = 0;
  if (FAILED(stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read)) || read != bytes.size())
    return std::nullopt;
  return bytes;
}

}  // namespace

void DrawKeyCap(Gdiplus::Graphics& graphics, const Gdiplus::FontFamily& family, RectF rect, std::u16string_view label) {
  const KeyCapShape shape = KeyCapShapeFor(rect);
  Gdiplus::SolidBrush outer{Color(kKeyCapOuterColour)};
  FillRoundedRect(graphics, outer, shape.outer, shape.cornerRadius);
  FillRoundedRectGradient(graphics, shape.rim, shape.cornerRadius, kKeyCapRimTopColour, kKeyCapRimBottomColour);
  FillRoundedRectGradient(graphics, shape.face, shape.cornerRadius, kKeyCapFaceTopColour, kKeyCapFaceBottomColour);
  if (label.empty()) return;

  const float size = FitTextSize(KeyCapTextSize(rect, label.size()), KeyCapTextMaxWidth(shape),
                                 [&](float candidate) { return MeasureTextWidth(graphics, family, label, candidate); });
  Gdiplus::Font font(&family, size, Gdiplus::FontStyleBold, Gdiplus::UnitPixel);
  Gdiplus::StringFormat format;
  format.SetAlignment(Gdiplus::StringAlignmentCenter);
  format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap);
  Gdiplus::SolidBrush text{Color(kKeyCapTextColour)};
  graphics.DrawString(Wide(label), static_cast<INT>(label.size()), &font, ToGdiplus(shape.face), &format, &text);
}

void DrawMouseGlyph(Gdiplus::Graphics& graphics, const Gdiplus::FontFamily& family, RectF rect, int atlasScale) {
  DrawKeyCap(graphics, family, rect, {});
  const MouseGlyphShape shape = MouseGlyphShapeFor(rect, atlasScale);
  Gdiplus::Pen ink(Color(kMouseInkColour), shape.penWidth);
  FillClosedArcs(graphics, shape.body, kMouseBodyColour, ink);
  graphics.DrawLine(&ink, ToGdiplus(shape.buttonSplit[0]), ToGdiplus(shape.buttonSplit[1]));
  graphics.DrawLine(&ink, ToGdiplus(shape.buttonDivide[0]), ToGdiplus(shape.buttonDivide[1]));
  FillClosedArcs(graphics, shape.wheel, kMouseWheelColour, ink);
  Gdiplus::SolidBrush arrows{Color(kMouseArrowColour)};
  FillTriangle(graphics, arrows, shape.arrowUp);
  FillTriangle(graphics, arrows, shape.arrowDown);
}

void DrawPromptIcon(Gdiplus::Graphics& graphics, RectF rect, std::string_view pngBytes) {
  UniqueStream stream = StreamOver(pngBytes);
  if (!stream) return;
  std::unique_ptr<Gdiplus::Bitmap> icon(Gdiplus::Bitmap::FromStream(stream.get()));
  if (!icon || icon->GetLastStatus() != Gdiplus::Ok || icon->GetWidth() == 0 || icon->GetHeight() == 0) return;

  graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
  Gdiplus::SolidBrush backdrop{Color(kIconBackdropColour)};
  graphics.FillRectangle(&backdrop, ToGdiplus(rect));
  graphics.SetCompositingMode(Gdiplus::CompositingModeSourceOver);

  auto width = static_cast<float>(icon->GetWidth()), height = static_cast<float>(icon->GetHeight());
  RectF target = CentredFit(rect, width, height);
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
  graphics.DrawImage(icon.get(), ToGdiplus(target));
}

std::optional<std::string> RenderOverlayPng(const AtlasPlan& plan, const Gdiplus::FontFamily& family,
                                            const IconFiles& icons, const CLSID& pngEncoder) {
  const int edge = AtlasImageEdge(*plan.atlas);
  Gdiplus::Bitmap bitmap(edge, edge, PixelFormat32bppARGB);
  if (bitmap.GetLastStatus() != Gdiplus::Ok) return std::nullopt;
  {
    Gdiplus::Graphics graphics(&bitmap);
    graphics.Clear(Color(0x00000000));
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    for (const DrawStep& step : plan.steps) {
      switch (step.kind) {
        case DrawKind::KeyCap:
          DrawKeyCap(graphics, family, step.rect, step.label);
          break;
        case DrawKind::MouseGlyph:
          DrawMouseGlyph(graphics, family, step.rect, plan.atlas->scale);
          break;
        case DrawKind::Icon:
          if (auto icon = icons.find(step.icon); icon != icons.end()) DrawPromptIcon(graphics, step.rect, icon->second);
          break;
      }
    }
  }

  IStream* rawStream = nullptr;
  if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &rawStream))) return std::nullopt;
  UniqueStream stream(rawStream);
  if (bitmap.Save(stream.get(), &pngEncoder, nullptr) != Gdiplus::Ok) return std::nullopt;
  return StreamBytes(stream.get());
}

}  // namespace mf::prompts
