#pragma once

class QApplication;
class QWidget;

namespace popolun::ui {

// Style, fonts and icon for the whole program; call before any window exists.
void prepareApplication(QApplication& app);

// Shows a top-level window centred on its screen.
void showCentred(QWidget& window);

// Moves a window that has not been shown yet next to anchor (below, right,
// left or above, in that order of preference) where it fits on the screen
// without covering anchor; where it fits nowhere, the platform places it.
void placeBeside(QWidget& window, const QWidget& anchor);

} // namespace popolun::ui
