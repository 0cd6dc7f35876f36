#pragma once

// The Windows headers as the core's Windows layer includes them (wide calls,
// no min/max macros), and the common controls.
#include "platform/windows/wide_text.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <string_view>

namespace popolun::win32 {

// UTF-8 to UTF-16 for the wide calls; the layout's texts are always valid.
std::wstring wide(std::string_view utf8);
// What a control holds, as UTF-8; an unpaired surrogate becomes U+FFFD,
// which the writer then refuses as a character Shift_JIS cannot write.
std::string utf8(std::wstring_view text);
std::wstring windowText(HWND window);

// Pixels at 96 dpi to pixels at dpi.
inline int scaled(int pixels, UINT dpi) { return MulDiv(pixels, int(dpi), 96); }

} // namespace popolun::win32
