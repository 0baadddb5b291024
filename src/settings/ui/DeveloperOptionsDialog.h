#pragma once
#include <QDialog>
#include <QDir>
#include <optional>

#include "settings/SettingsFile.h"

class QFileDialog;
class QLineEdit;

// The developer options dialog: paths of the settings file's "Main" section
// and the design window's grid step.
class DeveloperOptionsDialog : public QDialog {
    Q_OBJECT
  public:
    DeveloperOptionsDialog(const QString& programDirectory, const QString& settingsPath,
                           QWidget* parent = nullptr);

  Q_SIGNALS:
    // The settings were written; the main window takes them over.
    void mainSettingsWritten(const tz::MainSettings& settings);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void showStoredSettings();
    void chooseHelpFile();
    void chooseBrowser();
    void chooseCompiler();
    void saveAndClose();
    void cancel();

    void chooseFile(QLineEdit* edit, const QStringList& filters, const QString& defaultSuffix);
    // Nullopt when the grid step is refused (reported).
    std::optional<tz::MainSettings> fields();

    QString programDirectory_;
    QString settingsPath_;
    QLineEdit* helpFileEdit_ = nullptr;
    QLineEdit* browserEdit_ = nullptr;
    QLineEdit* compilerEdit_ = nullptr;
    QLineEdit* compilerParametersEdit_ = nullptr;
    QLineEdit* gridStepEdit_ = nullptr;
    QFileDialog* fileDialog_ = nullptr;  // made at first use
    // What the chooser lists of a folder under "All files".
    QDir::Filters listed_;
};
