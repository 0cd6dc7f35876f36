#include "controls.h"

#include "pictures.h"

#include <algorithm>
#include <cmath>

namespace popolun::win32 {

namespace {

constexpr int kFirstId = 100; // clear of IDOK and IDCANCEL

const wchar_t* className(layout::Kind kind)
{
    switch (kind) {
    case layout::Kind::textField:
        return WC_EDITW;
    case layout::Kind::button:
    case layout::Kind::frame:
    case layout::Kind::optionButton:
        return WC_BUTTONW;
    case layout::Kind::picture:
    case layout::Kind::label:
        break;
    }
    return WC_STATICW;
}

DWORD style(const layout::Control& spec)
{
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    // Every tab stop is a group of its own, so that Tab stops at both option
    // buttons and not only at the selected one.
    if (spec.tabOrder > 0)
        style |= WS_TABSTOP | WS_GROUP;
    switch (spec.kind) {
    case layout::Kind::picture:
        return style | SS_OWNERDRAW;
    case layout::Kind::label:
        return style | SS_LEFT | SS_NOPREFIX; // from the top left, wrapping within the box
    case layout::Kind::textField:
        return style | ES_AUTOHSCROLL;
    case layout::Kind::button:
        return style | BS_PUSHBUTTON; // never a default button
    case layout::Kind::frame:
        return style | BS_GROUPBOX;
    case layout::Kind::optionButton:
        return style | BS_RADIOBUTTON; // the settings alone decide the selection
    }
    return style;
}

// Creation order is the Z order, top first, and the order Tab follows: the
// tab stops first, each after the label that names it (where screen readers
// look for it), then the rest from the layout's top down.
std::vector<const layout::Control*> creationOrder(const layout::Window& layout)
{
    std::vector<const layout::Control*> order;
    for (const layout::Control* stop : layout::tabOrder(layout)) {
        if (const layout::Control* label = layout::labelOf(layout, *stop))
            order.push_back(label);
        order.push_back(stop);
    }
    for (auto it = layout.controls.rbegin(); it != layout.controls.rend(); ++it) {
        if (std::ranges::find(order, &*it) == order.end())
            order.push_back(&*it);
    }
    return order;
}

} // namespace

Controls::Controls(HWND window, const layout::Window& layout)
    : window_(window)
    , layout_(layout)
    , dpi_(::GetDpiForWindow(window))
{
    for (const layout::Control* spec : creationOrder(layout))
        create(*spec);
}

void Controls::addTooltips()
{
    if (tooltips_)
        return;
    tooltips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    for (const Built& each : built_) {
        if (each.spec->tooltip.empty())
            continue;
        std::wstring text = wide(each.spec->tooltip);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(each.window);
        tool.lpszText = text.data();
        ::SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

Controls::~Controls()
{
    for (const Built& each : built_) {
        if (each.picture)
            ::DeleteObject(each.picture);
    }
    if (tooltips_)
        ::DestroyWindow(tooltips_);
    // The controls go with their window; the fonts and brushes are ours.
    for (const auto& [spec, font] : fonts_)
        ::DeleteObject(font);
    for (const auto& [colour, brush] : brushes_)
        ::DeleteObject(brush);
}

// Made in place, at the window's DPI, with its font and picture.
void Controls::create(const layout::Control& spec)
{
    const DWORD exStyle = spec.kind == layout::Kind::textField ? WS_EX_CLIENTEDGE : 0;
    const int id = kFirstId + spec.id;
    const RECT box = placed(spec);
    HWND control = ::CreateWindowExW(exStyle, className(spec.kind), wide(spec.caption).c_str(), style(spec), box.left,
                                     box.top, box.right - box.left, box.bottom - box.top, window_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr),
                                     nullptr);
    if (spec.kind == layout::Kind::textField)
        ::SendMessageW(control, EM_SETLIMITTEXT, 0, 0); // no limit but the system's
    built_.push_back({&spec, control, nullptr});
    dress(built_.back(), box, FALSE);
}

RECT Controls::placed(const layout::Control& spec) const
{
    const layout::Box box = layout::boxInWindow(layout_, spec);
    return {scaled(box.left, dpi_), scaled(box.top, dpi_), scaled(box.right(), dpi_), scaled(box.bottom(), dpi_)};
}

void Controls::dress(Built& each, const RECT& box, BOOL redraw)
{
    const layout::Font& spec = each.spec->font.face == layout::Face::windowDefault ? layout::kDefaultFont : each.spec->font;
    ::SendMessageW(each.window, WM_SETFONT, reinterpret_cast<WPARAM>(font(spec)), redraw);
    if (each.spec->kind == layout::Kind::picture) {
        if (each.picture)
            ::DeleteObject(each.picture);
        each.picture = loadPicture(each.spec->picture, dpi_, box.right - box.left, box.bottom - box.top);
    }
}

HWND Controls::get(layout::ControlId id) const
{
    for (const Built& each : built_) {
        if (each.spec->id == id)
            return each.window;
    }
    return nullptr;
}

const Controls::Built* Controls::find(HWND window) const
{
    for (const Built& each : built_) {
        if (each.window == window)
            return &each;
    }
    return nullptr;
}

const layout::Control* Controls::byWindow(HWND control) const
{
    const Built* built = find(control);
    return built ? built->spec : nullptr;
}

HWND Controls::nextTabStop(HWND from, bool backwards) const
{
    std::vector<HWND> stops;
    for (const layout::Control* stop : layout::tabOrder(layout_))
        stops.push_back(get(stop->id));
    const auto at = std::ranges::find(stops, from);
    std::size_t index = at == stops.end() ? (backwards ? 0 : stops.size() - 1) : std::size_t(at - stops.begin());
    for (std::size_t step = 0; step < stops.size(); ++step) {
        index = (index + (backwards ? stops.size() - 1 : 1)) % stops.size();
        if (::IsWindowVisible(stops[index]) && ::IsWindowEnabled(stops[index]))
            return stops[index];
    }
    return nullptr;
}

void Controls::applyDpi(UINT dpi)
{
    dpi_ = dpi ? dpi : 96;
    auto oldFonts = std::move(fonts_);
    fonts_.clear();
    for (Built& each : built_) {
        const RECT box = placed(*each.spec);
        ::SetWindowPos(each.window, nullptr, box.left, box.top, box.right - box.left, box.bottom - box.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        dress(each, box, TRUE);
    }
    for (const auto& [spec, old] : oldFonts)
        ::DeleteObject(old);
    ::InvalidateRect(window_, nullptr, TRUE);
}

HFONT Controls::font(const layout::Font& spec)
{
    for (const auto& [known, made] : fonts_) {
        if (known.face == spec.face && known.points == spec.points && known.bold == spec.bold)
            return made;
    }
    LOGFONTW font{};
    // Points to pixels: 9.75 points are 13 pixels at 96 dpi.
    font.lfHeight = -MulDiv(int(std::lround(spec.points * 100)), int(dpi_), 7200);
    font.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    const std::wstring face = wide(layout::faceName(spec.face));
    face.copy(font.lfFaceName, LF_FACESIZE - 1);
    HFONT made = ::CreateFontIndirectW(&font);
    fonts_.emplace_back(spec, made);
    return made;
}

COLORREF Controls::colour(const layout::Fill& fill) const
{
    switch (fill.colour) {
    case layout::Colour::rgb:
        return RGB(fill.red, fill.green, fill.blue);
    case layout::Colour::window:
        return ::GetSysColor(COLOR_WINDOW);
    case layout::Colour::windowText:
        return ::GetSysColor(COLOR_WINDOWTEXT);
    case layout::Colour::dialog:
        return ::GetSysColor(COLOR_BTNFACE);
    case layout::Colour::unset:
        break;
    }
    return colour(layout::Fill{layout_.background});
}

HBRUSH Controls::brush(const layout::Fill& fill)
{
    const COLORREF rgb = colour(fill);
    auto& cached = brushes_[rgb];
    if (!cached)
        cached = ::CreateSolidBrush(rgb);
    return cached;
}

HBRUSH Controls::background() const
{
    return ::GetSysColorBrush(layout_.background == layout::Colour::dialog ? COLOR_BTNFACE : COLOR_WINDOW);
}

bool Controls::colourStatic(HDC dc, HWND control, LRESULT& result)
{
    const Built* built = find(control);
    if (!built)
        return false;
    // Labels, frames and option buttons take the window's colour unless filled.
    const layout::Fill text = built->spec->text.colour == layout::Colour::unset
                                  ? layout::Fill{layout::Colour::windowText}
                                  : built->spec->text;
    ::SetTextColor(dc, colour(text));
    ::SetBkColor(dc, colour(built->spec->background));
    result = reinterpret_cast<LRESULT>(brush(built->spec->background));
    return true;
}

bool Controls::customDraw(const NMHDR& header, LRESULT& result)
{
    const Built* built = header.code == NM_CUSTOMDRAW ? find(header.hwndFrom) : nullptr;
    if (!built || built->spec->kind != layout::Kind::button)
        return false;
    const auto& draw = reinterpret_cast<const NMCUSTOMDRAW&>(header);
    if (draw.dwDrawStage != CDDS_PREPAINT) {
        result = CDRF_DODEFAULT;
        return true;
    }
    // The fill covers the whole face; the edge shows the press, a dotted
    // rectangle the focus.
    RECT face = draw.rc;
    const bool pressed = (draw.uItemState & CDIS_SELECTED) != 0;
    ::FillRect(draw.hdc, &face, brush(built->spec->background));
    ::DrawEdge(draw.hdc, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    if (::GetFocus() == built->window) {
        RECT frame = face;
        ::FrameRect(draw.hdc, &frame, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }
    RECT text = face;
    if (pressed)
        ::OffsetRect(&text, 1, 1);
    const std::wstring caption = wide(built->spec->caption);
    HGDIOBJ previous = ::SelectObject(draw.hdc, reinterpret_cast<HFONT>(::SendMessageW(built->window, WM_GETFONT, 0, 0)));
    ::SetBkMode(draw.hdc, TRANSPARENT);
    ::SetTextColor(draw.hdc, RGB(0, 0, 0));
    ::DrawTextW(draw.hdc, caption.c_str(), int(caption.size()), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(draw.hdc, previous);
    if (::GetFocus() == built->window) {
        RECT focus = face;
        ::InflateRect(&focus, -4, -4);
        ::DrawFocusRect(draw.hdc, &focus);
    }
    result = CDRF_SKIPDEFAULT;
    return true;
}

bool Controls::drawPicture(const DRAWITEMSTRUCT& item)
{
    const Built* built = find(item.hwndItem);
    if (!built || !built->picture)
        return false;
    HDC source = ::CreateCompatibleDC(item.hDC);
    HGDIOBJ previous = ::SelectObject(source, built->picture);
    BITMAP size{};
    ::GetObjectW(built->picture, sizeof(size), &size);
    ::BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
    ::SelectObject(source, previous);
    ::DeleteDC(source);
    return true;
}

} // namespace popolun::win32
