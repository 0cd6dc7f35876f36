#pragma once

#include "controls.h"

#include <memory>

struct IAccPropServices;

namespace popolun::win32 {

// What a screen reader is told of a control beyond what the control says of
// itself, through the system's annotation service: a name where its text does
// not give one (a field's name, "ヘルプ" for "?"), a description, the role of a
// picture, and that a decorative part is nothing to read.
class Annotations {
public:
    virtual ~Annotations() = default;
    virtual void name(HWND control, const std::wstring& text) = 0;
    virtual void description(HWND control, const std::wstring& text) = 0;
    virtual void role(HWND control, DWORD role) = 0;   // ROLE_SYSTEM_*
    virtual void state(HWND control, DWORD state) = 0; // STATE_SYSTEM_*
};

// The system's annotation service, started the first time it is asked for
// (the first time a screen reader asks a window about itself, WM_GETOBJECT),
// so that the accessibility services load only for those who use them;
// nullptr where the system has none.
Annotations* systemAnnotations();
// The same over a given service: what each annotation sets, and on what.
std::unique_ptr<Annotations> annotationsOver(IAccPropServices& services);
// Where the windows find the annotations they tell: the system's, or a test's.
using AnnotationsSource = Annotations* (*)();

// Tells the annotations what the layout says of each of a window's controls.
void describeForScreenReaders(const Controls& controls, Annotations& annotations);

} // namespace popolun::win32
