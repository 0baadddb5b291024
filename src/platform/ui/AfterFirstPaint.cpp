#include "platform/ui/AfterFirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace tz {

namespace {

// Watches the windows' expose events; a window paints while its first one is
// handled, so a zero timer started then fires after the paint.
class FirstPaintWatch : public QObject {
  public:
    // Lives as long as the first window at most.
    FirstPaintWatch(const QList<QWidget*>& windows, std::function<void()> action)
        : QObject(windows.value(0)), action_(std::move(action)) {
        for (QWidget* widget : windows) {
            QWindow* window = widget->windowHandle();
            if (!window || window->isExposed()) continue;
            waiting_.append(window);
            window->installEventFilter(this);
        }
        if (waiting_.isEmpty()) finish();
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose) {
            auto* window = static_cast<QWindow*>(watched);
            if (window->isExposed() && waiting_.removeOne(window)) {
                window->removeEventFilter(this);
                if (waiting_.isEmpty()) finish();
            }
        }
        return false;
    }

  private:
    void finish() {
        QTimer::singleShot(0, this, [this] {
            action_();
            deleteLater();
        });
    }

    std::function<void()> action_;
    QList<QWindow*> waiting_;
};

}  // namespace

void runAfterFirstPaint(const QList<QWidget*>& windows, std::function<void()> action) {
    new FirstPaintWatch(windows, std::move(action));
}

}  // namespace tz
