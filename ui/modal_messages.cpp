#include "modal_messages.h"

#include <QMessageBox>

namespace popolun::ui {

void ModalMessages::show(const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, owner_.windowTitle(), QString::fromStdString(text),
                    QMessageBox::Ok, &owner_);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace popolun::ui
