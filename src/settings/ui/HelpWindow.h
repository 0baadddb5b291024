#pragma once
// The help window: one help file (HTML or plain text) beside a list of its
// topics, taken from the file's headings.
#include <QWidget>

class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Loads the file and brings the window to the front at its topics list.
    // A file that cannot be read is reported in the window itself.
    void showTopics(const QString& path);
    const QString& fileName() const { return path_; }

  private:
    void load(const QString& path);
    void showPlainText(const std::string& bytes);
    void fillTopics();
    void jumpToTopic(QTreeWidgetItem* item);

    QString path_;
    QTreeWidget* topics_ = nullptr;
    QTextBrowser* text_ = nullptr;
};
