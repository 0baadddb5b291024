#pragma once
#include <QDialog>
#include <QDir>

#include "settings/SettingsFile.h"

class QFileDialog;
class QLineEdit;

// The developer options dialog: paths of the settings file's "Main" section.
class Tdevopt : public QDialog {
    Q_OBJECT
  public:
    Tdevopt(const QString& programDirectory, const QString& settingsPath,
            QWidget* parent = nullptr);

  Q_SIGNALS:
    // The settings were written; the main window takes them over.
    void mainSettingsWritten(const tz::MainSettings& settings);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormActivate();
    void BitBtn1Click();
    void BitBtn4Click();
    void BitBtn5Click();
    void BitBtn2Click();
    void BitBtn3Click();

    void chooseFile(QLineEdit* edit, const QStringList& filters, const QString& defaultSuffix);
    tz::MainSettings fields() const;

    QString programDirectory_;
    QString settingsPath_;
    QLineEdit* helpfile_ = nullptr;
    QLineEdit* webbrowser_ = nullptr;
    QLineEdit* compiler_ = nullptr;
    QLineEdit* comppar_ = nullptr;
    QFileDialog* open_ = nullptr;  // made at first use
    // What the chooser lists of a folder under "All files".
    QDir::Filters listed_;
};
