#include "canvas/resources.h"

#include <QDir>
#include <QString>

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

QCursor cursorResource(int id) {
    if (id != handCursorId)
        return QCursor(Qt::ArrowCursor);
    const QPixmap pixmap = loadPicture(QStringLiteral(":/cursors/%1").arg(id));
    if (pixmap.isNull())
        return QCursor(Qt::ArrowCursor);
    return QCursor(pixmap, handHotSpotX, handHotSpotY);
}

} // namespace tonolog
