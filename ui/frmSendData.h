// The covering letter window ("Report Send Data"): shows the letter of the
// run on screen, saves a copy of it and prints it.
#pragma once

#include "report/print_report.h"
#include "ui/checked_run.h"
#include "ui/letter_folder.h"

#include <QWidget>
#include <memory>
#include <optional>
#include <string>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace qrv::gui {

class frmSendData : public QWidget {
    Q_OBJECT

  public:
    // Builds the letter of `run`, writes it to the letter file and returns
    // the window showing it. When the letter file cannot be written it says
    // why in a message box and returns nullptr.
    static frmSendData* Form_Load(const CheckedRun& run, QWidget* parent = nullptr);
    ~frmSendData() override;

  public slots:
    void cmdSave_Click();
    void cmdPrint_Click();

  signals:
    // The letter was printed: `destination` is the printer's name, or the
    // full path of the PDF file it was printed to.
    void printed(const QString& destination);
    // The print server took the letter as a job for `printer`. `held` says
    // why the printer keeps it waiting; it is empty when the printer works.
    void sentToPrinter(const QString& printer, const QString& held);
    // The letter was not printed, or the printer stopped its job; the
    // window has said why.
    void printFailed();
    // The letter was saved at `path`.
    void saved(const QString& path);
    // The last the print server said of the letter's job on `printer` (0 for
    // none, as for a PDF file): "sent", "printed" or "stopped".
    void printSettled(const QString& printer, int job, const QString& state);
    // The window is closing.
    void closing();

  protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    frmSendData(const CheckedRun& run, std::string letterBytes, std::unique_ptr<LetterFile> letterFile,
                QWidget* parent);
    // Every text of the window in the language now in use; never the letter's.
    void retranslateUi();
    // The path the user chose, with ".txt" added, once the user agreed to
    // replace a file of that name; empty when cancelled.
    QString chooseSavePath();
    // The print dialog and the printout, under the busy pointer; nothing
    // when the dialog was cancelled. Throws PrintError. `noPrinter`: the
    // dialog offers a PDF file beside the media file.
    std::optional<PrintResult> printWithBusyPointer(bool noPrinter);
    void print(bool noPrinter);
    void watchJob(const QString& printer, int job);
    void showError(const QString& text);

    CheckedRun run_;
    std::string letterBytes_; // what the display shows, what Save writes and Print prints
    QString title_;           // the letter's name in a print queue
    QString saveFolder_;
    QString saveName_; // what Save suggests
    std::unique_ptr<LetterFile> letterFile_;
    QTimer* jobWatch_;
    QString watchedPrinter_; // the printer and job jobWatch_ asks after
    int watchedJob_ = 0;
    QFrame* Frame1_;
    QPlainTextEdit* RichTextBox1_;
    QPushButton* cmdSave_;
    QPushButton* cmdPrint_;
    QLabel* warningLine_ = nullptr; // only when the run found something
};

} // namespace qrv::gui
