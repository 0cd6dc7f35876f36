#pragma once

#include "messages.h"

class QWidget;

namespace popolun::ui {

// The writer's messages as modal boxes: one OK button, no icon, the owner's caption.
class ModalMessages final : public MessageSink {
public:
    explicit ModalMessages(QWidget& owner) : owner_(owner) {}
    void show(const std::string& text) override;

private:
    QWidget& owner_;
};

} // namespace popolun::ui
