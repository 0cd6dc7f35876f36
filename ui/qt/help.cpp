#include "help.h"

#include "platform/file_system.h"
#include "platform/module1.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>
#include <QWidget>

namespace popolun::ui {

void openHelp(QWidget& window)
{
    if (Module1::openHelpContents(static_cast<std::uintptr_t>(window.winId())))
        return;
    // No system help viewer: hand the file to the desktop, if it is there.
    const QString file = QString::fromStdString(executableDirectory()) + QLatin1Char('/')
                         + QLatin1String(Module1::kHelpFile);
    if (QFileInfo(file).isFile())
        QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

} // namespace popolun::ui
