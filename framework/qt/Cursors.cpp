#include "framework/qt/Cursors.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QString>

namespace fw {

QCursor Cursors::load(const std::filesystem::path& file, int hotX, int hotY)
{
    QPixmap picture(QString::fromStdU16String(file.u16string()));
    if (picture.isNull())
        return QCursor(Qt::ArrowCursor);
    return QCursor(picture, hotX, hotY);
}

WaitCursor::WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }

WaitCursor::~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }

}  // namespace fw
