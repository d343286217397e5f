// The covering letter window ("Report Send Data"): shows the letter file,
// saves a copy of it and prints it.
#pragma once

#include "runs/format.h"
#include "ui/letter_folder.h"

#include <QWidget>
#include <cstdint>
#include <string>

class QFrame;
class QPlainTextEdit;
class QPushButton;

namespace qrv::gui {

class frmSendData : public QWidget {
    Q_OBJECT

  public:
    // Writes the letter file for the summary file at `summaryPath` (its first
    // line split by the control layout of `format`) and the hash total as the result window shows it, and
    // returns the window showing it. When the summary file or the letter file cannot be used it says why in a
    // message box and returns nullptr.
    static frmSendData* Form_Load(const std::string& summaryPath, const std::string& hashValueText,
                                  Format format, QWidget* parent = nullptr);
    ~frmSendData() override;

    const std::string& letterPath() const { return letterPath_; }
    // Where the Save dialog opens.
    void setSaveFolder(const QString& folder) { saveFolder_ = folder; }

  public slots:
    void cmdSave_Click();
    void cmdPrint_Click();

  signals:
    // The letter was printed: `destination` is the printer's name, or the
    // full path of the PDF file it was printed to.
    void printed(const QString& destination);
    // The letter was saved at `path`.
    void saved(const QString& path);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    frmSendData(std::string letterPath, std::string letterBytes, QWidget* parent);
    // Empty when printed (then `printed` was emitted) or cancelled,
    // otherwise why printing failed.
    QString printWithBusyPointer();
    void showError(const QString& text);

    std::string letterPath_;
    std::string letterBytes_; // what the display shows, what "Save" writes
    LetterFileInUse inUse_;
    QString saveFolder_;
    QFrame* Frame1;
    QPlainTextEdit* RichTextBox1;
    QPushButton* cmdSave;
    QPushButton* cmdPrint;
};

} // namespace qrv::gui
