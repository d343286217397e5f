#include "ui/frmHistory.h"

#include "files/file_error.h"
#include "files/files.h"
#include "journal/history.h"
#include "ui/advisory_text.h"
#include "ui/dialogs.h"
#include "ui/local_names.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace qrv::gui {

namespace {

constexpr const char* kContext = "qrv::gui::HistoryModel";

// The journal's column headers and outcomes, which the window shows in its
// language (the letters' fates are told as the advisories tell them); the CSV export keeps the journal's
// English. A text not listed here shows as the journal has it.
constexpr const char* kHeaders[] = {
    QT_TRANSLATE_NOOP("qrv::gui::HistoryModel", "Checked"),
    QT_TRANSLATE_NOOP("qrv::gui::HistoryModel", "Company code"),
    QT_TRANSLATE_NOOP("qrv::gui::HistoryModel", "Company name"),
    QT_TRANSLATE_NOOP("qrv::gui::HistoryModel", "Effective date"),
    QT_TRANSLATE_NOOP("qrv::gui::HistoryModel", "Media file"),
    QT_TRANSLATE_NOOP("qrv::gui::HistoryModel", "Format"),
    QT_TRANSLATE_NOOP("qrv::gui::HistoryModel", "Outcome"),
    QT_TRANSLATE_NOOP("qrv::gui::HistoryModel", "Total records"),
    QT_TRANSLATE_NOOP("qrv::gui::HistoryModel", "Total amount"),
    QT_TRANSLATE_NOOP("qrv::gui::HistoryModel", "Detail records"),
    QT_TRANSLATE_NOOP("qrv::gui::HistoryModel", "Detail amount"),
    QT_TRANSLATE_NOOP("qrv::gui::HistoryModel", "Hash total"),
    QT_TRANSLATE_NOOP("qrv::gui::HistoryModel", "Control messages"),
    QT_TRANSLATE_NOOP("qrv::gui::HistoryModel", "Rejected records"),
    QT_TRANSLATE_NOOP("qrv::gui::HistoryModel", "Advisories"),
    QT_TRANSLATE_NOOP("qrv::gui::HistoryModel", "Letter"),
    QT_TRANSLATE_NOOP("qrv::gui::HistoryModel", "Media file SHA-256"),
    QT_TRANSLATE_NOOP("qrv::gui::HistoryModel", "Summary file"),
    QT_TRANSLATE_NOOP("qrv::gui::HistoryModel", "Summary file SHA-256"),
    QT_TRANSLATE_NOOP("qrv::gui::HistoryModel", "Program"),
    QT_TRANSLATE_NOOP("qrv::gui::HistoryModel", "Run"),
};
constexpr const char* kOutcomes[] = {
    QT_TRANSLATE_NOOP("qrv::gui::HistoryModel", "finished"),
    QT_TRANSLATE_NOOP("qrv::gui::HistoryModel", "wrong_format"),
    QT_TRANSLATE_NOOP("qrv::gui::HistoryModel", "control_rejected"),
    QT_TRANSLATE_NOOP("qrv::gui::HistoryModel", "run_error"),
};
template <std::size_t N> QString Translated(std::string_view text, const char* const (&known)[N]) {
    for (const char* each : known)
        if (text == each)
            return QCoreApplication::translate(kContext, each);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void HistoryModel::setRuns(std::vector<PastRun> runs) {
    beginResetModel();
    runs_ = std::move(runs);
    cells_.clear();
    const std::span<const std::string_view> columns = HistoryColumns();
    for (const PastRun& run : runs_) {
        std::vector<QString> row;
        const std::vector<std::string> cells = HistoryCells(run);
        for (std::size_t i = 0; i < cells.size(); ++i)
            row.push_back(columns[i] == "Outcome"  ? Translated(cells[i], kOutcomes)
                          : columns[i] == "Letter" ? AdvisoryText(QString::fromStdString(cells[i]))
                                                   : QString::fromStdString(cells[i]));
        cells_.push_back(std::move(row));
    }
    endResetModel();
}

int HistoryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(cells_.size());
}

int HistoryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(HistoryColumns().size());
}

QVariant HistoryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return cells_[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())];
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= static_cast<int>(HistoryColumns().size()))
        return {};
    return Translated(HistoryColumns()[static_cast<std::size_t>(section)], kHeaders);
}

frmHistory::frmHistory(std::string journalPath, QWidget* parent)
    : QWidget(parent), journalPath_(std::move(journalPath)), model_(this) {
    setObjectName("frmHistory");
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    txtFilter_ = new QLineEdit(this);
    txtFilter_->setObjectName("txtFilter");
    txtFilter_->setClearButtonEnabled(true);
    cmdExport_ = new QPushButton(this);
    cmdExport_->setObjectName("cmdExport");
    bar->addWidget(txtFilter_, 1);
    bar->addWidget(cmdExport_);
    layout->addLayout(bar);
    lblTrouble_ = new QLabel(this);
    lblTrouble_->setObjectName("lblTrouble");
    lblTrouble_->setWordWrap(true);
    lblTrouble_->hide();
    layout->addWidget(lblTrouble_);
    lvwHistory_ = new QTreeView(this);
    lvwHistory_->setObjectName("lvwHistory");
    lvwHistory_->setRootIsDecorated(false);
    lvwHistory_->setUniformRowHeights(true);
    lvwHistory_->setModel(&model_);
    layout->addWidget(lvwHistory_, 1);
    connect(txtFilter_, &QLineEdit::textChanged, this, &frmHistory::reload);
    connect(cmdExport_, &QPushButton::clicked, this, &frmHistory::cmdExport_Click);
    retranslateUi();
}

// Reloads too, so that the cells and the columns' widths follow the language.
void frmHistory::retranslateUi() {
    setWindowTitle(tr("History of checks"));
    txtFilter_->setPlaceholderText(tr("Company code or file name"));
    txtFilter_->setAccessibleName(tr("Filter"));
    cmdExport_->setText(tr("&Export as CSV…"));
    lvwHistory_->setAccessibleName(tr("Checks, newest first"));
    reload();
}

void frmHistory::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

void frmHistory::reload() {
    try {
        Journal journal(journalPath_);
        model_.setRuns(journal.history(txtFilter_->text().toStdString()));
        lblTrouble_->setVisible(journal.notice().has_value());
        if (journal.notice())
            lblTrouble_->setText(QString::fromStdString(*journal.notice()));
    } catch (const JournalError& e) {
        model_.setRuns({});
        lblTrouble_->setText(
            tr("The journal of checks cannot be read: %1").arg(QString::fromStdString(e.what())));
        lblTrouble_->show();
    }
    lvwHistory_->header()->resizeSections(QHeaderView::ResizeToContents);
}

void frmHistory::cmdExport_Click() {
    const QString path = FileDialog::getSaveFileName(this, tr("CSV (*.csv)"), QDir::homePath(),
                                                     QStringLiteral("history-of-checks.csv"));
    if (path.isEmpty())
        return;
    try {
        SaveFile(LocalNameBytes(path).toStdString(), Bytes(HistoryCsv(model_.runs())), "the history");
        emit exported(path);
    } catch (const FileError& e) {
        MessageBox::show(this, QString::fromStdString(e.what()), AppTitle(), QMessageBox::Critical,
                         QMessageBox::Ok);
    }
}

} // namespace qrv::gui
