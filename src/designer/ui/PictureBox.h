#pragma once
#include <QPixmap>
#include <QWidget>
#include <string>

class PictureSource;

// An image object's control: shows its picture scaled to its bounds, and
// keeps only that scaled copy.
class PictureBox : public QWidget {
    Q_OBJECT
  public:
    PictureBox(QWidget* parent, PictureSource& pictures);

    const QPixmap& picture() const { return picture_; }
    // Shows the picture of path, scaled again whenever the box is resized.
    void showPicture(const std::string& path);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void scalePicture();

    PictureSource& pictures_;
    std::string path_;
    QPixmap picture_;
};
