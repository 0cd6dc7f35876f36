#include "modal_messages.h"

#include <QIcon>
#include <QMessageBox>
#include <QPushButton>

namespace popolun::ui {

void ModalMessages::show(const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, owner_.windowTitle(), QString::fromStdString(text),
                    QMessageBox::Ok, &owner_);
    box.setWindowModality(Qt::ApplicationModal);
    box.button(QMessageBox::Ok)->setIcon(QIcon()); // a plain OK, as the box has no icon either
    box.exec();
}

} // namespace popolun::ui
