#include "accessibility.h"

#include "platform/windows/system_library.h"

#include <initguid.h> // the property GUIDs below are defined here

#include <oleacc.h>

namespace popolun::win32 {

namespace {

class SystemAnnotations final : public Annotations {
public:
    explicit SystemAnnotations(IAccPropServices& services) : services_(services) {}

    void name(HWND control, const std::wstring& text) override { setText(control, PROPID_ACC_NAME, text); }
    void description(HWND control, const std::wstring& text) override
    {
        setText(control, PROPID_ACC_DESCRIPTION, text);
    }
    void role(HWND control, DWORD role) override { setNumber(control, PROPID_ACC_ROLE, role); }
    void state(HWND control, DWORD state) override { setNumber(control, PROPID_ACC_STATE, state); }

private:
    void setText(HWND control, const MSAAPROPID& property, const std::wstring& text)
    {
        services_.SetHwndPropStr(control, DWORD(OBJID_CLIENT), CHILDID_SELF, property, text.c_str());
    }
    void setNumber(HWND control, const MSAAPROPID& property, DWORD number)
    {
        VARIANT value{};
        value.vt = VT_I4;
        value.lVal = LONG(number);
        services_.SetHwndProp(control, DWORD(OBJID_CLIENT), CHILDID_SELF, property, value);
    }

    IAccPropServices& services_; // kept for the program's life
};

} // namespace

std::unique_ptr<Annotations> annotationsOver(IAccPropServices& services)
{
    return std::make_unique<SystemAnnotations>(services);
}

Annotations* systemAnnotations()
{
    // Made once on this (the windows') thread.
    static Annotations* const made = []() -> Annotations* {
        const auto create =
            windows::systemFunction<decltype(::CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
        IAccPropServices* services = nullptr;
        if (!create || !windows::startCom()
            || FAILED(create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                             reinterpret_cast<void**>(&services))))
            return nullptr;
        return annotationsOver(*services).release();
    }();
    return made;
}

void describeForScreenReaders(const Controls& controls, Annotations& annotations)
{
    const layout::Window& window = controls.layout();
    for (const layout::Control& spec : window.controls) {
        HWND control = controls.get(spec.id);
        // A control's own text is what the system reads as its name already.
        const std::string_view name = layout::spokenName(window, spec);
        if (!name.empty() && name != spec.caption)
            annotations.name(control, wide(name));
        if (const std::string_view about = layout::spokenDescription(window, spec); !about.empty())
            annotations.description(control, wide(about));
        if (spec.kind == layout::Kind::picture)
            annotations.role(control, ROLE_SYSTEM_GRAPHIC);
        if (spec.decorative)
            annotations.state(control, STATE_SYSTEM_INVISIBLE);
    }
}

} // namespace popolun::win32
