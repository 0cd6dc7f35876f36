#include "pictures.h"

#include "resources/resource_ids.h"

namespace popolun::win32 {

namespace {

int resourceId(layout::Picture picture, bool twice)
{
    if (picture == layout::Picture::banner)
        return twice ? POPOLUN_BANNER_2X : POPOLUN_BANNER;
    return twice ? POPOLUN_ILLUSTRATION_2X : POPOLUN_ILLUSTRATION;
}

HBITMAP scaledDown(HBITMAP stored, int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP scaled = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (!scaled)
        return nullptr;
    BITMAP size{};
    ::GetObjectW(stored, sizeof(size), &size);
    HDC from = ::CreateCompatibleDC(nullptr);
    HDC to = ::CreateCompatibleDC(nullptr);
    HGDIOBJ previousFrom = ::SelectObject(from, stored);
    HGDIOBJ previousTo = ::SelectObject(to, scaled);
    ::SetStretchBltMode(to, HALFTONE);
    ::SetBrushOrgEx(to, 0, 0, nullptr);
    ::StretchBlt(to, 0, 0, width, height, from, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
    ::SelectObject(from, previousFrom);
    ::SelectObject(to, previousTo);
    ::DeleteDC(from);
    ::DeleteDC(to);
    return scaled;
}

} // namespace

HBITMAP loadPicture(layout::Picture picture, UINT dpi, int width, int height)
{
    if (picture == layout::Picture::none || width <= 0 || height <= 0)
        return nullptr;
    // A ready bitmap: nothing to decode, and no decoder to load.
    auto* stored = static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr),
                                                     MAKEINTRESOURCEW(resourceId(picture, dpi > 96)), IMAGE_BITMAP,
                                                     0, 0, LR_CREATEDIBSECTION));
    if (!stored)
        return nullptr;
    BITMAP size{};
    ::GetObjectW(stored, sizeof(size), &size);
    if (size.bmWidth == width && size.bmHeight == height)
        return stored;
    HBITMAP scaled = scaledDown(stored, width, height);
    ::DeleteObject(stored);
    return scaled;
}

void drawPicture(const DRAWITEMSTRUCT& item, HBITMAP picture)
{
    HDC source = ::CreateCompatibleDC(item.hDC);
    HGDIOBJ previous = ::SelectObject(source, picture);
    BITMAP size{};
    ::GetObjectW(picture, sizeof(size), &size);
    ::BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
    ::SelectObject(source, previous);
    ::DeleteDC(source);
}

} // namespace popolun::win32
