#include "controls.h"

#include "filled_button.h"
#include "pictures.h"

#include <algorithm>

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
    // Every tab stop is a group of its own, so that the dialog manager's
    // arrow keys move neither the focus nor the selection.
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
    , fonts_(std::make_unique<Fonts>(dpi_))
    , colours_(layout.background)
{
    for (const layout::Control* spec : creationOrder(layout))
        create(*spec);
}

Controls::~Controls()
{
    for (const Built& each : built_) {
        if (each.picture)
            ::DeleteObject(each.picture);
    }
    if (tooltips_)
        ::DestroyWindow(tooltips_);
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
    ::SendMessageW(each.window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_->get(each.spec->font)), redraw);
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
    // The old fonts go once every control has its new one.
    const std::unique_ptr<Fonts> old = std::exchange(fonts_, std::make_unique<Fonts>(dpi_));
    for (Built& each : built_) {
        const RECT box = placed(*each.spec);
        ::SetWindowPos(each.window, nullptr, box.left, box.top, box.right - box.left, box.bottom - box.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        dress(each, box, TRUE);
    }
    ::InvalidateRect(window_, nullptr, TRUE);
}

bool Controls::colourStatic(HDC dc, HWND control, LRESULT& result)
{
    const Built* built = find(control);
    if (!built)
        return false;
    result = colours_.colourStatic(dc, *built->spec);
    return true;
}

bool Controls::customDraw(const NMHDR& header, LRESULT& result)
{
    const Built* built = header.code == NM_CUSTOMDRAW ? find(header.hwndFrom) : nullptr;
    if (!built || built->spec->kind != layout::Kind::button)
        return false;
    result = drawFilledButton(reinterpret_cast<const NMCUSTOMDRAW&>(header), colours_.brush(built->spec->background),
                              built->spec->caption);
    return true;
}

bool Controls::drawPicture(const DRAWITEMSTRUCT& item) const
{
    const Built* built = find(item.hwndItem);
    if (!built || !built->picture)
        return false;
    win32::drawPicture(item, built->picture);
    return true;
}

} // namespace popolun::win32
