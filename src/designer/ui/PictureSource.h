#pragma once
// Pictures of image files as the design window and the exported applet use them.
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QTimer>
#include <string>

// Whether path holds a picture the applet can show (PNG, JPEG or GIF) that
// decodes whole, whatever its name says.
bool isAppletPicture(const std::string& path);

// Decodes the pictures of image objects. A file is decoded once for all the
// objects that show it at one time (a project's load); then the decoded
// picture goes and each object keeps only its copy scaled to its own size.
class PictureSource {
  public:
    PictureSource();

    // The picture of path scaled to size; null when the file holds none.
    QPixmap scaled(const std::string& path, const QSize& size);
    // The size an image takes for the picture of path: the picture's own,
    // read from the file's header, at most an applet's, which a record can
    // store; empty when none.
    static QSize objectSizeFor(const std::string& path);

  private:
    std::string path_;
    QImage decoded_;
    // Drops the decoded picture once the current event has been handled.
    QTimer release_;
};
