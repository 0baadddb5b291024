#pragma once
#include <memory>
#include <optional>
#include <string>

class QFileDialog;
class QWidget;

// The file-open dialog that chooses an image object's picture. It opens in
// the folder of the Java source, when that path names one.
class PictureDialog {
  public:
    explicit PictureDialog(QWidget* parent);
    ~PictureDialog();

    // The chosen file's full path, or nothing when the user cancels.
    std::optional<std::string> choose(const std::string& javaSourcePath);

  private:
    QWidget* parent_;
    QFileDialog* open_ = nullptr;  // made at first use
};
