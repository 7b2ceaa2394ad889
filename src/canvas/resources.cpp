// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/resources.h"

#include "document/conversions.h"

#include <QDir>
#include <QGuiApplication>
#include <QString>

#include <algorithm>

// Q_INIT_RESOURCE declares the resource's registration function, so it must be used at global
// scope, outside the program's namespace.
static void registerTonologResources() {
    Q_INIT_RESOURCE(tonolog);
}

namespace tonolog {

namespace {

// Where the tip of the hand pointer's index finger lies in its 32 x 32 picture
// (resources/tools/make_artwork.py draws the hand around this point).
constexpr int handHotSpotX = 12;
constexpr int handHotSpotY = 1;
constexpr int handCursorId = 101;

QPixmap loadPicture(const QString& path) {
    QPixmap pixmap;
    if (!pixmap.load(path, "PNG"))
        return {};
    return pixmap;
}

} // namespace

void initResources() {
    registerTonologResources();
}

QPixmap bitmapResource(int id) {
    return loadPicture(QStringLiteral(":/bitmaps/%1").arg(id));
}

QPixmap bitmapResource2x(int id) {
    QPixmap pixmap = loadPicture(QStringLiteral(":/bitmaps/%1@2x").arg(id));
    pixmap.setDevicePixelRatio(2);
    return pixmap;
}

QImage bitmapAtSize(int id, QSize deviceSize) {
    const QPixmap designed = bitmapResource(id);
    if (designed.isNull() || deviceSize.isEmpty())
        return {};
    if (designed.size() == deviceSize)
        return designed.toImage();
    const QPixmap denser = bitmapResource2x(id);
    const bool larger = deviceSize.width() > designed.width() || deviceSize.height() > designed.height();
    const QPixmap& source = larger && !denser.isNull() ? denser : designed;
    QImage image = source.toImage().scaled(deviceSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(1);
    return image;
}

QIcon iconResource(int id) {
    // Every size of one icon lies in its own folder, one file per size.
    const QDir folder(QStringLiteral(":/icons/%1").arg(id));
    QIcon icon;
    for (const QString& name : folder.entryList(QDir::Files)) {
        const QPixmap pixmap = loadPicture(folder.filePath(name));
        if (!pixmap.isNull())
            icon.addPixmap(pixmap);
    }
    return icon;
}

QCursor cursorResource(int id, double ratio) {
    if (id != handCursorId)
        return QCursor(Qt::ArrowCursor);
    const QPixmap designed = loadPicture(QStringLiteral(":/cursors/%1").arg(id));
    if (designed.isNull())
        return QCursor(Qt::ArrowCursor);
    // The pointer as many device pixels as its design's pixels take on this screen.
    const int side = std::max(designed.width(), roundToInt(designed.width() * ratio));
    QPixmap pixmap = designed;
    if (side != designed.width()) {
        QPixmap denser = loadPicture(QStringLiteral(":/cursors/%1@2x").arg(id));
        if (denser.isNull())
            denser = designed;
        pixmap = denser.width() == side
                     ? denser
                     : denser.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        pixmap.setDevicePixelRatio(static_cast<double>(side) / designed.width());
    }
    // The hot spot is in the pointer's device-independent pixels, except on X11: there Qt places
    // it in the picture's own pixels (seen with Qt 6.4 under Xvfb at a scale factor of 2).
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        const double density = pixmap.devicePixelRatio();
        return QCursor(pixmap, roundToInt(handHotSpotX * density), roundToInt(handHotSpotY * density));
    }
    return QCursor(pixmap, handHotSpotX, handHotSpotY);
}

} // namespace tonolog
