#include "framework/qt/Screenshot.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

namespace fw {

bool saveScreenshot(QWidget& widget, const std::string& name)
{
    const QByteArray folder = qgetenv("QV_SCREENSHOTS");
    if (folder.isEmpty())
        return false;
    QDir dir(QString::fromLocal8Bit(folder));
    if (!dir.mkpath("."))
        return false;
    return widget.grab().save(dir.filePath(QString::fromStdString(name) + ".png"), "PNG");
}

}  // namespace fw
