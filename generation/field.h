#pragma once

#include <functional>
#include <string>
#include <vector>

namespace popolun {

// One text value with a change notification. Setting a different value runs
// the change handler before the setter returns (handlers may set fields in
// turn, nesting as deep as they like); setting the same value runs nothing.
// Views watch a field to redraw after every change.
class Field {
public:
    using Handler = std::function<void()>;

    Field() = default;
    explicit Field(std::string initial) : text_(std::move(initial)) {}
    Field(const Field&) = delete;
    Field& operator=(const Field&) = delete;

    const std::string& text() const { return text_; }
    void setText(std::string text);

    // The one change handler of the field (the propagation rules).
    void onChange(Handler handler) { handler_ = std::move(handler); }
    // Views: run after the handler, in the order added.
    void watch(Handler watcher) { watchers_.push_back(std::move(watcher)); }

private:
    std::string text_;
    Handler handler_;
    std::vector<Handler> watchers_;
};

} // namespace popolun
