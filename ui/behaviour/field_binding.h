#pragma once

#include "field.h"
#include "window_view.h"

namespace popolun::ui {

// Ties a text field on screen to a core field: the field's text is shown at
// once, and whenever the program changes the field the control follows,
// only where its text differs (so an edit in progress is never rewritten
// with itself). The user's edits come back through WindowBehaviour::edited.
inline void bindField(WindowView& view, layout::ControlId control, Field& field)
{
    view.setText(control, field.text());
    field.watch([&view, control, &field] {
        if (view.text(control) != field.text())
            view.setText(control, field.text());
    });
}

} // namespace popolun::ui
