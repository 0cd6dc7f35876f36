#include "accessibility.h"

#include <initguid.h> // the property GUIDs below are defined here

#include <oleacc.h>

namespace popolun::win32 {

void describeForScreenReaders(HWND control, const layout::Window& window, const layout::Control& spec)
{
    const std::string_view name = layout::spokenName(window, spec);
    const bool renamed = !name.empty() && name != spec.caption;
    if (!renamed && !spec.decorative)
        return;
    IAccPropServices* services = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                  reinterpret_cast<void**>(&services))))
        return;
    if (renamed)
        services->SetHwndPropStr(control, DWORD(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME, wide(name).c_str());
    if (spec.decorative) {
        VARIANT state;
        ::VariantInit(&state);
        state.vt = VT_I4;
        state.lVal = STATE_SYSTEM_INVISIBLE;
        services->SetHwndProp(control, DWORD(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_STATE, state);
    }
    services->Release();
}

} // namespace popolun::win32
