#include "ui/frmSendData.h"

#include "files/file_error.h"
#include "report/letter.h"
#include "report/letter_file.h"
#include "report/print_queue.h"
#include "report/print_report.h"
#include "ui/dialogs.h"
#include "ui/keyboard.h"
#include "ui/letter_folder.h"
#include "ui/local_names.h"
#include "ui/thai_text.h"
#include "ui/twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>
#include <limits>

namespace qrv::gui {

namespace {

const QColor kBackground(224, 224, 224);
// How long a printer's job is watched once it has it: 20 times a quarter of a second.
constexpr int kJobWatchPolls = 20;
constexpr std::chrono::milliseconds kJobWatchInterval(250);

void ShowStop(QWidget* parent, const QString& text) {
    MessageBox::show(parent, text, AppTitle(), QMessageBox::Critical, QMessageBox::Ok);
}

// The letter as the display shows it: one paragraph a line, no line end after the last.
QString DisplayText(const std::string& letterBytes) {
    QString text = FromMedia(letterBytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}

QString SavedLetterPath(const QString& chosen) {
    return chosen.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive) ? chosen
                                                                        : chosen + QStringLiteral(".txt");
}

QPushButton* MakeButton(const char* name, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(QFont(QStringLiteral("MS Sans Serif"), 12));
    // The designed size, or more where the caption needs it in the font at hand.
    button->setMinimumSize(TwipsToPixels(*parent, 1695), TwipsToPixels(*parent, 855));
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return button;
}

} // namespace

frmSendData* frmSendData::Form_Load(const CheckedRun& run, QWidget* parent) {
    std::string letter = LetterForRun(run.controlLine, run.hashTotal, run.format, Today());
    try {
        auto letterFile = std::make_unique<LetterFile>(letter);
        return new frmSendData(run, std::move(letter), std::move(letterFile), parent);
    } catch (const FileError& e) {
        ShowStop(parent, QString::fromStdString(e.what()));
        return nullptr;
    }
}

frmSendData::frmSendData(const CheckedRun& run, std::string letterBytes,
                         std::unique_ptr<LetterFile> letterFile, QWidget* parent)
    : QWidget(parent), run_(run), letterBytes_(std::move(letterBytes)),
      title_(FromMedia(LetterTitle(run.controlLine, run.format))),
      saveFolder_(QFileInfo(run.mediaFile).absolutePath()), saveName_(LetterFileName(run)),
      letterFile_(std::move(letterFile)), jobWatch_(new QTimer(this)) {
    setObjectName(QStringLiteral("frmSendData"));
    QPalette grey = palette();
    grey.setColor(QPalette::Window, kBackground);
    setPalette(grey);
    setAutoFillBackground(true);

    Frame1_ = new QFrame(this);
    Frame1_->setObjectName(QStringLiteral("Frame1"));
    Frame1_->setFrameShape(QFrame::StyledPanel);
    Frame1_->setPalette(grey);
    Frame1_->setAutoFillBackground(true);

    RichTextBox1_ = new QPlainTextEdit(Frame1_);
    RichTextBox1_->setObjectName(QStringLiteral("RichTextBox1"));
    RichTextBox1_->setFont(QFont(QString::fromLatin1(kLetterFontFamily), kLetterFontPoints));
    RichTextBox1_->setReadOnly(true);
    RichTextBox1_->setTabChangesFocus(true);
    RichTextBox1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    RichTextBox1_->setPlainText(DisplayText(letterBytes_));

    // The letter fills the window and follows its size; the buttons stand in
    // a row below it, at the right.
    cmdSave_ = MakeButton("cmdSave", Frame1_);
    cmdPrint_ = MakeButton("cmdPrint", Frame1_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSave_);
    buttons->addSpacing(TwipsToPixels(*this, 345));
    buttons->addWidget(cmdPrint_);
    auto* inFrame = new QVBoxLayout(Frame1_);
    inFrame->setContentsMargins(QMargins(1, 1, 1, 1) * TwipsToPixels(*this, 240));
    inFrame->addWidget(RichTextBox1_, 1);
    inFrame->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(QMargins(1, 1, 1, 1) * TwipsToPixels(*this, 120));
    // Above the letter, never in it: the letter states the control record's totals.
    if (!LetterWarning(run).isEmpty()) {
        auto* warningLine = new QLabel(this);
        warningLine_ = warningLine;
        warningLine->setObjectName(QStringLiteral("warningLine"));
        QPalette red = warningLine->palette();
        red.setColor(QPalette::WindowText, Qt::darkRed);
        warningLine->setPalette(red);
        QFont bold = warningLine->font();
        bold.setBold(true);
        warningLine->setFont(bold);
        layout->addWidget(warningLine);
    }
    layout->addWidget(Frame1_);
    retranslateUi();
    connect(cmdSave_, &QPushButton::clicked, this, &frmSendData::cmdSave_Click);
    connect(cmdPrint_, &QPushButton::clicked, this, &frmSendData::cmdPrint_Click);
    setTabOrder(RichTextBox1_, cmdSave_);
    setTabOrder(cmdSave_, cmdPrint_);
    PressButtonsOnEnter(*this);
}

frmSendData::~frmSendData() = default;

void frmSendData::retranslateUi() {
    setWindowTitle(tr("Report Send Data"));
    RichTextBox1_->setAccessibleName(tr("Covering letter"));
    RichTextBox1_->setAccessibleDescription(tr("The letter as Save writes it and Print prints it"));
    // Alt+S opens the main window's "start" menu.
    cmdSave_->setText(tr("Sa&ve"));
    cmdPrint_->setText(tr("&Print"));
    cmdSave_->setAccessibleDescription(tr("Saves the letter as a text file"));
    cmdPrint_->setAccessibleDescription(tr("Prints the letter"));
    if (warningLine_)
        warningLine_->setText(LetterWarning(run_));
}

void frmSendData::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

void frmSendData::closeEvent(QCloseEvent* event) {
    try {
        letterFile_->remove();
    } catch (const FileError& e) {
        showError(QString::fromStdString(e.what()));
    }
    // A job still watched has reached the print server at least.
    if (jobWatch_->isActive()) {
        jobWatch_->stop();
        emit printSettled(watchedPrinter_, watchedJob_, QStringLiteral("sent"));
    }
    emit closing();
    event->accept();
}

QString frmSendData::chooseSavePath() {
    QString start = saveFolder_;
    QString name = saveName_;
    for (;;) {
        const QString chosen = FileDialog::getSaveFileName(this, tr("Text (*.TXT)"), start, name);
        if (chosen.isEmpty())
            return {};
        const QString path = SavedLetterPath(chosen);
        // The dialog asked about the name it returned, not about this one.
        if (path == chosen || !QFileInfo::exists(path))
            return path;
        const auto answer = MessageBox::show(
            this, tr("%1 already exists. Do you want to replace it?").arg(QFileInfo(path).fileName()),
            AppTitle(), QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer == QMessageBox::Yes)
            return path;
        start = chosen;
        name.clear();
    }
}

void frmSendData::cmdSave_Click() {
    const QString path = chooseSavePath();
    if (path.isEmpty())
        return;
    try {
        SaveLetterAs(LocalNameBytes(path).toStdString(), letterBytes_);
        emit saved(path);
    } catch (const FileError& e) {
        showError(QString::fromStdString(e.what()));
    }
}

void frmSendData::cmdPrint_Click() {
    const bool noPrinter = QPrinterInfo::availablePrinters().isEmpty();
    if (noPrinter)
        MessageBox::show(this, NoPrinterNotice(), AppTitle(), QMessageBox::Information, QMessageBox::Ok);
    print(noPrinter);
}

std::optional<PrintResult> frmSendData::printWithBusyPointer(bool noPrinter) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    QPrinter printer(QPrinter::HighResolution);
    if (noPrinter)
        // Named like the saved letter, where Save suggests it.
        OfferPdfFile(
            printer,
            QDir(saveFolder_).filePath(QFileInfo(saveName_).completeBaseName() + QStringLiteral(".pdf")));
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (ExecPrintDialog(dialog) != QDialog::Accepted)
        return std::nullopt;
    printer.setDocName(title_);
    // The copies chosen in the dialog are printed by PrintReport, each from a
    // new page; it keeps the printer from multiplying them again, and from
    // printing only the pages of a range the dialog offered all the same.
    const auto copies = static_cast<std::int16_t>(
        std::clamp(printer.copyCount(), 1, int{std::numeric_limits<std::int16_t>::max()}));
    return PrintReport(printer, letterBytes_, copies);
}

void frmSendData::print(bool noPrinter) {
    std::optional<PrintResult> result;
    try {
        result = printWithBusyPointer(noPrinter);
    } catch (const PrintError& e) {
        emit printFailed();
        showError(QString::fromStdString(e.what()));
        return;
    }
    if (!result || result->pages == 0)
        return;
    if (result->job == 0) {
        emit printed(result->destination);
        emit printSettled(result->destination, 0, QStringLiteral("printed"));
        return;
    }
    emit sentToPrinter(result->destination, result->held.value_or(QString()));
    if (result->held)
        emit printSettled(result->destination, result->job, QStringLiteral("stopped"));
    if (result->held)
        MessageBox::show(this,
                         tr("The letter waits at \"%1\": the printer is paused or stopped (%2). "
                            "It prints once the printer is started again.")
                             .arg(result->destination, *result->held),
                         AppTitle(), QMessageBox::Warning, QMessageBox::Ok);
    else
        watchJob(result->destination, result->job);
}

// CUPS may still stop or abort the job once it has it: it is asked for a few
// seconds, without holding up the window, what became of it.
void frmSendData::watchJob(const QString& printer, int job) {
    jobWatch_->stop();
    jobWatch_->disconnect();
    watchedPrinter_ = printer;
    watchedJob_ = job;
    const PrintQueue queue = PrintQueue::ForPrinter(printer);
    connect(jobWatch_, &QTimer::timeout, this, [this, queue, printer, job, polls = 0]() mutable {
        const JobProgress progress = queue.progress(job);
        if (progress.state == JobProgress::State::Waiting && ++polls < kJobWatchPolls)
            return;
        jobWatch_->stop();
        emit printSettled(printer, job,
                          progress.state == JobProgress::State::Done     ? QStringLiteral("printed")
                          : progress.state == JobProgress::State::Failed ? QStringLiteral("stopped")
                                                                         : QStringLiteral("sent"));
        if (progress.state == JobProgress::State::Done) {
            emit printed(printer);
        } else if (progress.state == JobProgress::State::Failed) {
            emit printFailed();
            showError(QString::fromStdString(
                PrintError(printer, "the printer stopped the letter (" + progress.reason + ")").what()));
        }
    });
    jobWatch_->start(kJobWatchInterval);
}

void frmSendData::showError(const QString& text) {
    ShowStop(this, text);
}

} // namespace qrv::gui
