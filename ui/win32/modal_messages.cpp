#include "modal_messages.h"

#include "window_layout.h"

namespace popolun::win32 {

void ModalMessages::show(const std::string& text)
{
    const BOOL wasEnabled = alsoWaiting_ ? !::EnableWindow(alsoWaiting_, FALSE) : FALSE;
    ::MessageBoxW(owner_, wide(text).c_str(), wide(layout::form13().caption).c_str(), MB_OK);
    if (wasEnabled)
        ::EnableWindow(alsoWaiting_, TRUE);
}

} // namespace popolun::win32
