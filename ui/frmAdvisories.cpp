#include "ui/frmAdvisories.h"

#include "ui/advisory_text.h"
#include "ui/thai_text.h"

#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qrv::gui {

namespace {

enum Column { kMessage, kLines, kAccount };

QString Lines(const std::vector<std::int64_t>& lines) {
    QStringList numbers;
    for (const std::int64_t line : lines)
        numbers << QString::number(line);
    return numbers.join(QStringLiteral(", "));
}

} // namespace

frmAdvisories::frmAdvisories() {
    setObjectName("Advisories");
    setFont(MsSansSerif(8.25));

    origin_ = new QLabel(this);
    origin_->setObjectName("advisoryOrigin");
    problems_ = new QLabel(this);
    problems_->setObjectName("advisoryProblems");
    problems_->setWordWrap(true);
    problems_->setTextFormat(Qt::PlainText);
    QPalette red = problems_->palette();
    red.setColor(QPalette::WindowText, Qt::darkRed);
    problems_->setPalette(red);

    list_ = new QTreeWidget(this);
    list_->setObjectName("advisoryList");
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(kMessage, QHeaderView::Stretch);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(origin_);
    layout->addWidget(problems_);
    layout->addWidget(list_, 1);
    retranslateUi();
}

void frmAdvisories::retranslateUi() {
    setWindowTitle(tr("Advisories"));
    list_->setHeaderLabels({tr("Advisory"), tr("Lines"), tr("Account")});
    list_->setAccessibleName(tr("Advisories"));
    list_->setAccessibleDescription(tr(
        "What the check cannot see in records read one at a time; the check's own results stay as they are"));
    origin_->setAccessibleDescription(
        tr("The file these advisories are about, and the file it was compared with"));
    problems_->setAccessibleName(tr("Problems"));
    problems_->setAccessibleDescription(tr("What kept advisories from being given"));
    showTexts();
}

void frmAdvisories::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

// The run's texts in the program's language.
void frmAdvisories::showTexts() {
    origin_->setText(run_.earlier.isEmpty()
                         ? run_.checked
                         : tr("%1, compared with %2").arg(run_.checked, QFileInfo(run_.earlier).fileName()));
    origin_->setToolTip(run_.earlier);
    QStringList problems;
    for (const QString& problem : run_.problems)
        problems << AdvisoryText(problem);
    problems_->setText(problems.join(u'\n'));
    for (int row = 0; row < list_->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = list_->topLevelItem(row);
        item->setText(kMessage, AdvisoryText(QString::fromStdString(
                                    run_.advisories[static_cast<std::size_t>(row)].message)));
        item->setToolTip(kMessage, item->text(kMessage));
    }
}

void frmAdvisories::showRun(const AdvisoryRun& run) {
    run_ = run;
    problems_->setVisible(!run.problems.isEmpty());
    list_->clear();
    for (const Advisory& advisory : run.advisories) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(kLines, Lines(advisory.lines));
        item->setText(kAccount, FromMedia(advisory.account));
    }
    showTexts();
    list_->resizeColumnToContents(kLines);
    list_->resizeColumnToContents(kAccount);
}

} // namespace qrv::gui
