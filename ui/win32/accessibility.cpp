#include "accessibility.h"

#include "platform/windows/system_library.h"

#include <initguid.h> // the property GUIDs below are defined here

#include <oleacc.h>

namespace popolun::win32 {

namespace {

// The system's annotation service, made once on this (the windows') thread.
IAccPropServices* annotations()
{
    static IAccPropServices* const made = []() -> IAccPropServices* {
        const auto create =
            windows::systemFunction<decltype(::CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
        IAccPropServices* services = nullptr;
        if (!create || !windows::startCom()
            || FAILED(create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                             reinterpret_cast<void**>(&services))))
            return nullptr;
        return services; // kept for the program's life
    }();
    return made;
}

} // namespace

void describeForScreenReaders(const Controls& controls)
{
    const layout::Window& window = controls.layout();
    for (const layout::Control& spec : window.controls) {
        const std::string_view name = layout::spokenName(window, spec);
        const bool renamed = !name.empty() && name != spec.caption;
        if (!renamed && !spec.decorative)
            continue;
        IAccPropServices* services = annotations();
        if (!services)
            return;
        HWND control = controls.get(spec.id);
        if (renamed)
            services->SetHwndPropStr(control, DWORD(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME, wide(name).c_str());
        if (spec.decorative) {
            VARIANT state{};
            state.vt = VT_I4;
            state.lVal = STATE_SYSTEM_INVISIBLE;
            services->SetHwndProp(control, DWORD(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_STATE, state);
        }
    }
}

} // namespace popolun::win32
