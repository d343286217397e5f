#include "ui/frmSendData.h"

#include "core/file_error.h"
#include "report/letter.h"
#include "report/letter_file.h"
#include "report/print_report.h"
#include "runs/ports.h"
#include "ui/dialogs.h"
#include "ui/letter_folder.h"
#include "ui/thai_text.h"
#include "ui/twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

namespace qrv::gui {

namespace {

const QColor kBackground(224, 224, 224);

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

QPushButton* MakeButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(QFont(QStringLiteral("MS Sans Serif"), 12));
    // The designed size, or more where the caption needs it in the font at hand.
    button->setMinimumSize(TwipsToPixels(*parent, 1695), TwipsToPixels(*parent, 855));
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return button;
}

} // namespace

frmSendData* frmSendData::Form_Load(const std::string& summaryPath, const std::string& hashValueText,
                                    Format format, QWidget* parent) {
    std::string letterPath;
    try {
        letterPath = LetterFilePath();
        WriteLetterForSummary(letterPath, summaryPath, hashValueText, format, Today());
        return new frmSendData(letterPath, ReadLetterFile(letterPath), parent);
    } catch (const FileError& e) {
        if (!letterPath.empty()) {
            try {
                RemoveLetterFile(letterPath);
            } catch (const FileError&) {
                // The message below already says what went wrong first.
            }
        }
        ShowStop(parent, QString::fromStdString(e.what()));
        return nullptr;
    }
}

frmSendData::frmSendData(std::string letterPath, std::string letterBytes, QWidget* parent)
    : QWidget(parent), letterPath_(std::move(letterPath)), letterBytes_(std::move(letterBytes)),
      inUse_(letterPath_) {
    setObjectName(QStringLiteral("frmSendData"));
    setWindowTitle(QStringLiteral("Report Send Data"));
    QPalette grey = palette();
    grey.setColor(QPalette::Window, kBackground);
    setPalette(grey);
    setAutoFillBackground(true);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::StyledPanel);
    Frame1->setPalette(grey);
    Frame1->setAutoFillBackground(true);

    RichTextBox1 = new QPlainTextEdit(Frame1);
    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    RichTextBox1->setFont(QFont(QString::fromLatin1(kLetterFontFamily), kLetterFontPoints));
    RichTextBox1->setReadOnly(true);
    RichTextBox1->setTabChangesFocus(true);
    RichTextBox1->setLineWrapMode(QPlainTextEdit::NoWrap);
    RichTextBox1->setPlainText(DisplayText(letterBytes_));

    // The letter fills the window and follows its size; the buttons stand in
    // a row below it, at the right.
    cmdSave = MakeButton(QStringLiteral("&Save"), "cmdSave", Frame1);
    cmdPrint = MakeButton(QStringLiteral("&Print"), "cmdPrint", Frame1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSave);
    buttons->addSpacing(TwipsToPixels(*this, 345));
    buttons->addWidget(cmdPrint);
    auto* inFrame = new QVBoxLayout(Frame1);
    inFrame->setContentsMargins(QMargins(1, 1, 1, 1) * TwipsToPixels(*this, 240));
    inFrame->addWidget(RichTextBox1, 1);
    inFrame->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(QMargins(1, 1, 1, 1) * TwipsToPixels(*this, 120));
    layout->addWidget(Frame1);
    connect(cmdSave, &QPushButton::clicked, this, &frmSendData::cmdSave_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmSendData::cmdPrint_Click);
    setTabOrder(RichTextBox1, cmdSave);
    setTabOrder(cmdSave, cmdPrint);
}

frmSendData::~frmSendData() {
    try {
        RemoveLetterFile(letterPath_);
    } catch (const FileError&) {
        // Nothing can be shown while the window goes away; closeEvent reports it.
    }
}

void frmSendData::closeEvent(QCloseEvent* event) {
    try {
        RemoveLetterFile(letterPath_);
    } catch (const FileError& e) {
        showError(QString::fromStdString(e.what()));
    }
    event->accept();
}

void frmSendData::cmdSave_Click() {
    const QString chosen = FileDialog::getSaveFileName(this, QStringLiteral("Text (*.TXT)"), saveFolder_);
    if (chosen.isEmpty())
        return;
    const QString path = SavedLetterPath(chosen);
    try {
        SaveLetterAs(QFile::encodeName(path).toStdString(), letterBytes_);
        emit saved(path);
    } catch (const FileError& e) {
        showError(QString::fromStdString(e.what()));
    }
}

void frmSendData::cmdPrint_Click() {
    if (QPrinterInfo::availablePrinters().isEmpty())
        MessageBox::show(this,
                         QStringLiteral("No printer is set up: the letter can be printed to a PDF file."),
                         AppTitle(), QMessageBox::Information, QMessageBox::Ok);
    const QString failure = printWithBusyPointer();
    if (!failure.isEmpty())
        showError(failure);
}

QString frmSendData::printWithBusyPointer() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (ExecPrintDialog(dialog) != QDialog::Accepted)
        return {};
    // The copies chosen in the dialog are printed by PrintReport, each from a
    // new page; it keeps the printer from multiplying them again.
    const auto copies = static_cast<std::int16_t>(
        std::clamp(printer.copyCount(), 1, int{std::numeric_limits<std::int16_t>::max()}));
    try {
        const PrintResult result = PrintReport(printer, letterPath_, copies);
        if (result.pages > 0)
            emit printed(result.destination);
    } catch (const PrintError& e) {
        return QString::fromStdString(e.what());
    } catch (const FileError& e) {
        return QString::fromStdString(e.what());
    }
    return {};
}

void frmSendData::showError(const QString& text) {
    ShowStop(this, text);
}

} // namespace qrv::gui
