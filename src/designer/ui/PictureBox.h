#pragma once
#include <QPixmap>
#include <QWidget>
#include <string>

// An image object's control: shows its picture scaled to its bounds.
class PictureBox : public QWidget {
    Q_OBJECT
  public:
    explicit PictureBox(QWidget* parent);

    const QPixmap& picture() const { return picture_; }
    void setPicture(const QPixmap& picture);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap picture_;
};

// The picture of an image file; an unreadable file gives an empty picture.
QPixmap loadPicture(const std::string& path);
