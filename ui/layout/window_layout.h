#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// The two windows as data, without any toolkit: every box, caption, font,
// fill, tooltip and tab stop is written here once, and each front end builds
// its controls from it. Texts are UTF-8.
namespace popolun::layout {

enum class Kind { picture, label, textField, button, frame, optionButton };

// Pixels at 96 dpi from the top left corner of the parent's client area.
struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; }
    int bottom() const { return top + height; }
};

// A colour is the platform's own (window, window text, dialog) or a fixed fill.
enum class Colour { unset, window, windowText, dialog, rgb };
struct Fill {
    Colour colour = Colour::unset;
    std::uint8_t red = 0, green = 0, blue = 0;
};
constexpr Fill rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) { return {Colour::rgb, red, green, blue}; }
constexpr Fill system(Colour colour) { return {colour}; }

// Both Japanese faces; "default" is the window's own font.
enum class Face { windowDefault, pGothic, gothic };
inline constexpr char kPGothicName[] = "ＭＳ Ｐゴシック";
inline constexpr char kGothicName[] = "ＭＳ ゴシック";
std::string_view faceName(Face face); // empty for the window's default

struct Font {
    Face face = Face::windowDefault;
    double points = 0; // 0 with the default face
    bool bold = false;
};

// The font of controls that choose none: it must show Japanese.
inline constexpr Font kDefaultFont{Face::pGothic, 9};

// Faces of the same metrics as a face, by their English and Japanese family names.
std::span<const std::string_view> standIns(Face face);

// The face to draw in: its own where the system has it, else the first
// installed stand-in (the IPA faces, which Linux and Wine have where the
// Windows faces are missing), else its own for the system to match.
// installed answers for a family name.
template <typename Installed>
std::string_view chosenFace(Face face, Installed installed)
{
    if (face == Face::windowDefault || installed(faceName(face)))
        return faceName(face);
    for (const std::string_view standIn : standIns(face)) {
        if (installed(standIn))
            return standIn;
    }
    return faceName(face);
}

// The pictures stored with the program, one resource each.
enum class Picture { none, banner, illustration };

// Each window's controls by purpose. An id is the control's place in its
// window's table, which is also the drawing order.
using ControlId = int;
inline constexpr ControlId kNoControl = -1;

namespace main { // Form13
enum : ControlId { banner, example, name, create, band, help, exit, settings };
}
namespace settings { // Form14
enum : ControlId {
    extensionMark, extensionLabel, extensionHint, extension, sizeMark, widthLabel, width, illustration,
    heightLabel, sizeFrame, sizeHint, autostartLabel, on, off, back, help,
};
}

struct Control {
    ControlId id = kNoControl;
    std::string_view name; // the window's own name for it: Text1, Command4, Frame1, ...
    Kind kind = Kind::label;
    std::string_view caption;
    Box box;
    Font font;
    Fill background;
    Fill text;
    std::string_view tooltip;
    int tabOrder = 0;               // 1 is the first stop; 0 takes no focus
    ControlId parent = kNoControl;  // the window itself, or a frame of the window
    Picture picture = Picture::none;
    // For screen readers: the name to announce where the caption does not
    // say it, the field a label names, the control a hint label explains,
    // and for an option button the label that names its group (the options
    // of one group exclude each other).
    std::string_view accessibleName;
    ControlId labels = kNoControl;
    ControlId describes = kNoControl;
    ControlId group = kNoControl;
    bool decorative = false; // shown, but nothing a screen reader need read; never inside a frame
};

// Where a window appears the first time it is shown.
enum class Placement { centred, platform };

struct Window {
    std::string_view name;
    std::string_view caption;
    Placement placement = Placement::platform;
    bool takesDrops = false; // files dropped on it reach its behaviour
    int clientWidth = 0;
    int clientHeight = 0;
    Colour background = Colour::window;
    // In id order, bottom first: where two controls overlap, the later one is drawn above.
    std::span<const Control> controls;
};

// Whether each control of a table stands at the place its id says.
constexpr bool inIdOrder(std::span<const Control> controls)
{
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].id != ControlId(i))
            return false;
    }
    return true;
}

const Window& form13();
const Window& form14();

const Control& control(const Window& window, ControlId id);
// The controls that take the focus, in tab order.
std::vector<const Control*> tabOrder(const Window& window);
// The box measured from the window's client area, parent frames added.
Box boxInWindow(const Window& window, const Control& control);
// The label that names a field, if any.
const Control* labelOf(const Window& window, const Control& field);
// The hint label that explains a control, if any.
const Control* descriptionOf(const Window& window, const Control& control);
// What a screen reader announces: the accessible name, else the caption,
// else the caption of the label that names it.
std::string_view spokenName(const Window& window, const Control& control);
// What it reads after the name: the hint that explains the control, else
// the label of its option group, else its tooltip.
std::string_view spokenDescription(const Window& window, const Control& control);

} // namespace popolun::layout
