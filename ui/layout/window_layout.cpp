#include "window_layout.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace popolun::layout {

std::string_view faceName(Face face)
{
    switch (face) {
    case Face::pGothic:
        return kPGothicName;
    case Face::gothic:
        return kGothicName;
    case Face::windowDefault:
        break;
    }
    return {};
}

std::span<const std::string_view> standIns(Face face)
{
    static constexpr std::string_view pGothic[] = {"IPAPGothic", "IPA Pゴシック"}, gothic[] = {"IPAGothic", "IPAゴシック"};
    if (face == Face::windowDefault)
        return {};
    return face == Face::pGothic ? std::span(pGothic) : std::span(gothic);
}

const Control& control(const Window& window, ControlId id)
{
    if (id < 0 || std::size_t(id) >= window.controls.size()) {
        std::fprintf(stderr, "%.*s has no control %d\n", int(window.name.size()), window.name.data(), id);
        std::abort();
    }
    return window.controls[std::size_t(id)];
}

std::vector<const Control*> tabOrder(const Window& window)
{
    std::vector<const Control*> stops;
    for (const Control& each : window.controls) {
        if (each.tabOrder > 0)
            stops.push_back(&each);
    }
    std::ranges::sort(stops, {}, &Control::tabOrder);
    return stops;
}

Box boxInWindow(const Window& window, const Control& of)
{
    Box box = of.box;
    for (ControlId parent = of.parent; parent != kNoControl;) {
        const Control& frame = control(window, parent);
        box.left += frame.box.left;
        box.top += frame.box.top;
        parent = frame.parent;
    }
    return box;
}

std::string_view spokenName(const Window& window, const Control& of)
{
    if (!of.accessibleName.empty())
        return of.accessibleName;
    if (!of.caption.empty())
        return of.caption;
    const Control* label = labelOf(window, of);
    return label ? label->caption : std::string_view();
}

std::string_view spokenDescription(const Window& window, const Control& of)
{
    if (const Control* hint = descriptionOf(window, of))
        return hint->caption;
    if (of.group != kNoControl)
        return control(window, of.group).caption;
    return of.tooltip;
}

const Control* labelOf(const Window& window, const Control& field)
{
    for (const Control& each : window.controls) {
        if (each.labels == field.id)
            return &each;
    }
    return nullptr;
}

const Control* descriptionOf(const Window& window, const Control& control)
{
    for (const Control& each : window.controls) {
        if (each.describes == control.id)
            return &each;
    }
    return nullptr;
}

} // namespace popolun::layout
