#include "field.h"

namespace popolun {

void Field::setText(std::string text)
{
    if (text == text_)
        return;
    text_ = std::move(text);
    if (handler_)
        handler_();
    for (const auto& watcher : watchers_)
        watcher();
}

} // namespace popolun
