#pragma once
// The settings dialog's dark look: colours, the three brushes and the dialog font, made on
// first use and kept for the life of the process.
#include <windows.h>

namespace mf::dialog {

inline constexpr COLORREF kPageColour = RGB(24, 26, 30);  // kDarkDialogBackground
inline constexpr COLORREF kFieldColour = RGB(40, 42, 48);
inline constexpr COLORREF kAccentColour = RGB(170, 170, 180);
inline constexpr COLORREF kFieldTextColour = RGB(235, 235, 235);
inline constexpr COLORREF kLabelTextColour = RGB(230, 230, 230);
inline constexpr COLORREF kSelectedTabTextColour = RGB(245, 245, 245);
inline constexpr COLORREF kTabTextColour = RGB(180, 180, 185);

HBRUSH PageBrush();
HBRUSH FieldBrush();
HBRUSH AccentBrush();

// 14-pixel "Segoe UI"; where it is not installed (Wine, Proton) Tahoma, which Wine ships,
// rather than whatever face the font mapper would pick.
HFONT DialogFont();

// The width a text takes when drawn in a font, in pixels: the columns its glyphs actually
// cover, never less than the width GDI reports. Under Wine and Proton the two differ: some
// Latin letters of Tahoma (m, e, ...) are drawn wider than the widths GDI reports for them,
// and a long text ends up a dozen pixels wider than reported.
int TextWidth(HFONT font, const wchar_t* text);

}  // namespace mf::dialog
