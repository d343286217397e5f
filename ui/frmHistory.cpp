#include "ui/frmHistory.h"

#include "files/file_error.h"
#include "files/files.h"
#include "journal/history.h"
#include "ui/dialogs.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace qrv::gui {

void HistoryModel::setRuns(std::vector<PastRun> runs) {
    beginResetModel();
    runs_ = std::move(runs);
    cells_.clear();
    for (const PastRun& run : runs_) {
        std::vector<QString> row;
        for (const std::string& cell : HistoryCells(run))
            row.push_back(QString::fromStdString(cell));
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
    const std::string_view header = HistoryColumns()[static_cast<std::size_t>(section)];
    return tr(std::string(header).c_str());
}

frmHistory::frmHistory(std::string journalPath, QWidget* parent)
    : QWidget(parent), journalPath_(std::move(journalPath)), model_(this) {
    setObjectName("frmHistory");
    setWindowTitle(tr("History of checks"));
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    txtFilter_ = new QLineEdit(this);
    txtFilter_->setObjectName("txtFilter");
    txtFilter_->setPlaceholderText(tr("Company code or file name"));
    txtFilter_->setAccessibleName(tr("Filter"));
    txtFilter_->setClearButtonEnabled(true);
    cmdExport_ = new QPushButton(tr("&Export as CSV…"), this);
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
    lvwHistory_->setAccessibleName(tr("Checks, newest first"));
    layout->addWidget(lvwHistory_, 1);
    connect(txtFilter_, &QLineEdit::textChanged, this, &frmHistory::reload);
    connect(cmdExport_, &QPushButton::clicked, this, &frmHistory::cmdExport_Click);
    reload();
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
        SaveFile(QFile::encodeName(path).toStdString(), Bytes(HistoryCsv(model_.runs())), "the history");
        emit exported(path);
    } catch (const FileError& e) {
        MessageBox::show(this, QString::fromStdString(e.what()), AppTitle(), QMessageBox::Critical,
                         QMessageBox::Ok);
    }
}

} // namespace qrv::gui
