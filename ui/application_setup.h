#pragma once

class QApplication;
class QWidget;

namespace popolun::ui {

// Style, fonts and icon for the whole program; call before any window exists.
void prepareApplication(QApplication& app);

// Shows a top-level window centred on its screen.
void showCentred(QWidget& window);

} // namespace popolun::ui
