#pragma once
// A project file dropped on any of the program's windows opens, a Java
// source imports, each after the question about unsaved changes.
#include <QObject>
#include <QString>
#include <functional>

class FileDrops : public QObject {
    Q_OBJECT
  public:
    // open gets the dropped file's path; windows take drops from now on.
    FileDrops(const QList<QWidget*>& windows, std::function<void(const QString&)> open,
              QObject* parent);
    ~FileDrops() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void(const QString&)> open_;
};
