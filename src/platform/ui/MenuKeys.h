#pragma once
// Menu short-cuts that work in every window of the program and win over a
// focused control's own use of the same key (Ctrl+A saves the project as
// another file here, while text controls would select all with it).
#include <QList>
#include <QObject>
#include <QPointer>

class QAction;

namespace tz {

class MenuKeys : public QObject {
  public:
    // Makes the actions' short-cuts work from every window; those of
    // winning take the key from focused controls too. A modal dialog keeps
    // its keys: the menus are out of reach while it runs.
    MenuKeys(const QList<QAction*>& actions, const QList<QAction*>& winning,
             QObject* parent = nullptr);
    ~MenuKeys() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QList<QPointer<QAction>> winning_;
};

}  // namespace tz
