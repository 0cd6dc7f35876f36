#include "filled_button.h"

namespace popolun::win32 {

LRESULT drawFilledButton(const NMCUSTOMDRAW& draw, HBRUSH fill, std::string_view caption)
{
    if (draw.dwDrawStage != CDDS_PREPAINT)
        return CDRF_DODEFAULT;
    RECT face = draw.rc;
    const bool pressed = (draw.uItemState & CDIS_SELECTED) != 0;
    ::FillRect(draw.hdc, &face, fill);
    ::DrawEdge(draw.hdc, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    if (::GetFocus() == draw.hdr.hwndFrom) {
        RECT frame = face;
        ::FrameRect(draw.hdc, &frame, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }
    RECT text = face;
    if (pressed)
        ::OffsetRect(&text, 1, 1);
    const std::wstring text16 = wide(caption);
    HWND button = draw.hdr.hwndFrom;
    HGDIOBJ previous = ::SelectObject(draw.hdc, reinterpret_cast<HFONT>(::SendMessageW(button, WM_GETFONT, 0, 0)));
    ::SetBkMode(draw.hdc, TRANSPARENT);
    ::SetTextColor(draw.hdc, RGB(0, 0, 0));
    ::DrawTextW(draw.hdc, text16.c_str(), int(text16.size()), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(draw.hdc, previous);
    if (::GetFocus() == draw.hdr.hwndFrom) {
        RECT focus = face;
        ::InflateRect(&focus, -4, -4);
        ::DrawFocusRect(draw.hdc, &focus);
    }
    return CDRF_SKIPDEFAULT;
}

} // namespace popolun::win32
