#include "designer/ui/PictureSource.h"

#include <QFile>
#include <QImageReader>

#include "designer/DesignObjects.h"
#include "platform/SafeFile.h"

namespace {

QString fileName(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace

bool isAppletPicture(const std::string& path) {
    // The reader would wait for ever on a FIFO.
    if (!tz::isRegularFile(path)) return false;
    QImageReader reader(fileName(path));
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    return (format == "png" || format == "jpeg" || format == "gif") && !reader.read().isNull();
}

PictureSource::PictureSource() {
    release_.setSingleShot(true);
    release_.setInterval(0);
    QObject::connect(&release_, &QTimer::timeout, [this] {
        path_.clear();
        decoded_ = QImage();
    });
}

QPixmap PictureSource::scaled(const std::string& path, const QSize& size) {
    if (path != path_ || decoded_.isNull()) {
        path_ = path;
        decoded_ = tz::isRegularFile(path) ? QImageReader(fileName(path)).read() : QImage();
        release_.start();
    }
    if (decoded_.isNull() || size.isEmpty()) return QPixmap();
    return QPixmap::fromImage(
        decoded_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

QSize PictureSource::objectSizeFor(const std::string& path) {
    if (!tz::isRegularFile(path)) return QSize();
    QImageReader reader(fileName(path));
    const QSize size = reader.size().isValid() ? reader.size() : reader.read().size();
    return size.boundedTo(QSize(tz::MaxAppletSize, tz::MaxAppletSize));
}
