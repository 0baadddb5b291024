#pragma once
// What the command groups share: the document, the main window as parent of
// their dialogs and as their view, and the steps more than one group takes.
#include <QFileDialog>
#include <QObject>

#include "document/ProjectDocument.h"

class CommandView;
class QAction;

class CommandGroup : public QObject {
    Q_OBJECT
  public:
    // The group lives as long as window, which shows its dialogs and boxes.
    CommandGroup(tz::ProjectDocument& document, CommandView& view, QWidget* window);

    // Asks to save unsaved changes first; false when the command must stop.
    bool askToSaveChanges();
    // False when nothing was written.
    bool saveJavaSource();

  protected:
    // The project, with every view's pending edits in it.
    tz::Project& project();

    // A file dialog's chosen file, or the empty text when it was cancelled.
    // It opens in folder, or in the working directory when that is empty.
    QString chooseFile(QFileDialog::AcceptMode mode, const QString& name,
                       const QStringList& filters, const QString& defaultSuffix,
                       const QString& folder = QString());
    QString chooseJavaFile(QFileDialog::AcceptMode mode);
    QString chooseProjectFile(QFileDialog::AcceptMode mode);
    // The saved project's folder; empty while the project is untitled.
    QString projectFolder() const;
    // False when path exists and the user does not agree to overwrite it.
    bool mayOverwrite(const QString& path);
    // An outcome's message in its box, its note in the memo; whether it went through.
    bool showOutcome(const tz::Outcome& outcome);

    // False when generation failed so that the calling command must stop.
    bool generateJava();
    void exportJava();
    // Export Java on a chosen file, without dialogs or questions.
    bool exportJava(const QString& path);
    // False when the project was not saved (refused, cancelled or failed).
    bool saveProject();
    bool saveProjectAs();
    void showProjectPath(const QString& path);

    tz::ProjectDocument& document_;
    CommandView& view_;
    QWidget* window_;

  private:
    bool writeProject(const QString& path);
};
