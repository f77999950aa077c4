// Icons handed to other programs: the notification area copies an icon's bitmaps with rows of
// whole words, so a mask whose width is not a multiple of 16 (20 or 24 pixels at 120 or 144 DPI)
// loses its last rows there and the icon shows a band. An icon with an alpha channel is drawn by
// its alpha, whatever its mask.
#pragma once

#include <windows.h>

namespace knihovna {

// A copy of the icon whose 32-bit colour carries the mask as alpha (0 transparent, 255 opaque);
// nullptr when the icon already has alpha or cannot be read (then the icon itself serves).
HICON IkonaSAlfou(HICON ikona);

}  // namespace knihovna
