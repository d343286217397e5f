#include "ui/FrmEdit.h"

#include "files/file_error.h"
#include "summary/summary_file.h"
#include "ui/accessibility.h"
#include "ui/dialogs.h"
#include "ui/dimmed_text.h"
#include "ui/elided_line_edit.h"
#include "ui/error_table_model.h"
#include "ui/keyboard.h"
#include "ui/local_names.h"
#include "ui/record_view.h"
#include "ui/rejected_rows_export.h"
#include "ui/thai_text.h"
#include "ui/twips.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

namespace qrv::gui {

namespace {

// Marks a ListErr item of an earlier run.
constexpr int kEarlierRun = Qt::UserRole;
// A ListErr item's LocationText.
constexpr int kLocationLine = Qt::UserRole + 1;

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text);
}

QLabel* FixedLabel(std::string_view name, std::string_view text, QWidget* parent) {
    auto* label = new QLabel(Latin1(text), parent);
    label->setObjectName(Latin1(name));
    return label;
}

// The fixed label that names the value label `value`.
QLabel* Caption(Label value, QWidget* parent) {
    const LabelCaption& caption = CaptionOf(value);
    return FixedLabel(caption.name, caption.text, parent);
}

// Room between a right-aligned amount and the reason beside it: the text of
// every cell keeps this far from the cell's sides.
constexpr int kCellPadding = 4;

class CellPaddingStyle : public QProxyStyle {
  public:
    QRect subElementRect(SubElement element, const QStyleOption* option,
                         const QWidget* widget) const override {
        const QRect rect = QProxyStyle::subElementRect(element, option, widget);
        return element == SE_ItemViewItemText ? rect.adjusted(kCellPadding, 0, -kCellPadding, 0) : rect;
    }
};

// The messages list asks for its designed three lines, or a line for each
// message, up to the most a window shows at once; where room is short, it
// takes just the lines its messages fill.
class MessageList : public QListWidget {
  public:
    explicit MessageList(QWidget* parent) : QListWidget(parent) {
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
        connect(model(), &QAbstractItemModel::rowsInserted, this, [this] { updateGeometry(); });
        connect(model(), &QAbstractItemModel::rowsRemoved, this, [this] { updateGeometry(); });
    }
    QSize sizeHint() const override { return withLines(kDesignedLines); }
    QSize minimumSizeHint() const override { return withLines(1); }

  private:
    static constexpr int kDesignedLines = 3;
    static constexpr int kMostMessages = 10;

    QSize withLines(int fewest) const {
        const int lines = std::clamp(count(), fewest, kMostMessages);
        const int lineHeight = count() > 0 ? sizeHintForRow(0) : fontMetrics().height();
        return {QListWidget::sizeHint().width(), lines * lineHeight + 2 * frameWidth()};
    }
};

// A scroll area that asks for the whole of its contents as they change (a
// plain one keeps the size they first asked for, within a bound), and that
// keeps their end in view when it is too short for them.
class ContentsScrollArea : public QScrollArea {
  public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        const int frame = 2 * frameWidth();
        return widget()->sizeHint() + QSize(frame, frame);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool filtered = QScrollArea::eventFilter(watched, event);
        if (watched == widget() && event->type() == QEvent::LayoutRequest)
            updateGeometry();
        if (watched == widget() && event->type() == QEvent::Resize)
            showEnd();
        return filtered;
    }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QScrollArea::resizeEvent(event);
        showEnd();
    }

  private:
    void showEnd() { verticalScrollBar()->setValue(verticalScrollBar()->maximum()); }
};

} // namespace

FrmEdit::FrmEdit() {
    setObjectName("FrmEdit");
    setFont(MsSansSerif(8.25, false));

    PrintSendData_ = new QPushButton(QStringLiteral("พิมพ์ใบนำส่งข้อมูล"), this);
    PrintSendData_->setObjectName("PrintSendData");
    PrintSendData_->setFont(MsSansSerif(9.75, false));
    PrintSendData_->setMinimumSize(TwipsToPixels(*this, 2295), TwipsToPixels(*this, 975));
    connect(PrintSendData_, &QPushButton::clicked, this, &FrmEdit::PrintSendData_Click);

    model_ = new ErrorTableModel(this);

    // Which file and format the figures below belong to.
    mediaLine_ = new QLabel(this);
    mediaLine_->setObjectName("mediaLine");

    auto* top = new QHBoxLayout;
    top->addWidget(buildOutputFile());
    top->addWidget(mediaLine_, 1, Qt::AlignBottom);
    top->addWidget(PrintSendData_, 0, Qt::AlignTop);

    // The rejected rows take the height the rest leaves, and room for eight
    // rows whenever there are rows; where the window is smaller than the rest
    // needs (a small screen, a large scale), the messages shrink to the lines
    // they fill, and then the output file scrolls away above the control
    // record instead of anything being cut.
    auto* contents = new QWidget;
    auto* layout = new QVBoxLayout(contents);
    const QMargins margins = layout->contentsMargins();
    // The gap between the control record and the rows is the layout's spacing.
    layout->setContentsMargins(margins.left(), margins.top(), margins.right(), 0);
    layout->addLayout(top);
    layout->addWidget(buildControlRecord());
    scroll_ = new ContentsScrollArea(this);
    scroll_->setObjectName("scrollArea");
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setWidget(contents);
    scroll_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(QMargins());
    outer->addWidget(scroll_);
    auto* rows = new QVBoxLayout;
    rows->setContentsMargins(margins.left(), 0, margins.right(), margins.bottom());
    rows->addWidget(buildDetailSummary());
    outer->addLayout(rows, 1);

    setTabOrder(PrintSendData_, ListView1_);
    setTabOrder(ListView1_, ListErr_);
    addRowActions();
    retranslateUi();
    PressButtonsOnEnter(*this);
}

void FrmEdit::retranslateUi() {
    setWindowTitle(tr("From Edit Data"));
    findChild<QGroupBox*>(QStringLiteral("Frame1"))->setTitle(tr("Output File"));
    findChild<QGroupBox*>(QStringLiteral("Frame2"))->setTitle(tr("Control Record"));
    findChild<QGroupBox*>(QStringLiteral("Frame3"))->setTitle(tr("Detail Summary"));
    findChild<QLabel*>(QStringLiteral("Label27"))->setText(tr("Detail Record Error"));
    const auto name = [this](const char* action, const QString& text) {
        findChild<QAction*>(QString::fromLatin1(action))->setText(text);
    };
    name("showRecord", tr("&Show record"));
    name("copyRows", tr("&Copy"));
    name("exportRows", tr("&Export rejected rows..."));
    name("clearEarlierRows", tr("C&lear earlier checks"));
    if (!summaryWritten_)
        valueField(Label::SummaryPath)->setToolTip(tr("not written"));
    showRowsNote();
    nameControls();
}

void FrmEdit::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

void FrmEdit::nameControls() {
    for (const LabelCaption& caption : kLabelCaptions) {
        QLineEdit* field = valueField(caption.value);
        const QString group = qobject_cast<QGroupBox*>(field->parentWidget())->title();
        NameByCaption(*findChild<QLabel*>(Latin1(caption.name)), *field,
                      group + QStringLiteral(": ") + SpokenCaption(Latin1(caption.text)));
    }
    QLineEdit* summary = valueField(Label::SummaryPath);
    summary->setAccessibleName(tr("Summary file"));
    summary->setAccessibleDescription(tr("Output File: where this check writes the summary file"));
    NameByCaption(*findChild<QLabel*>(QStringLiteral("Label27")), *ListView1_,
                  tr("One row for each rejected detail record"));
    ListErr_->setAccessibleName(tr("Control Record messages"));
    ListErr_->setAccessibleDescription(tr("The control record's errors and the totals that do not agree"));
    PrintSendData_->setAccessibleDescription(tr("Opens the covering letter"));
    scroll_->setAccessibleName(tr("Output File and Control Record"));
    scroll_->setAccessibleDescription(tr("Scrolls when the window is too small for all the values"));
}

void FrmEdit::addRowActions() {
    const auto add = [this](const char* name, void (FrmEdit::*slot)()) {
        auto* action = new QAction(ListView1_);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
        ListView1_->addAction(action);
        return action;
    };
    add("showRecord", &FrmEdit::showRecord);
    QAction* copy = add("copyRows", &FrmEdit::copyRows);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    add("exportRows", &FrmEdit::exportRows);
    add("clearEarlierRows", &FrmEdit::clearEarlierRuns);
    ListView1_->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void FrmEdit::showRecord() {
    const QModelIndex current = ListView1_->currentIndex();
    if (!current.isValid())
        return;
    const int row = current.row();
    const QString& mediaFile = model_->mediaFile(row);
    try {
        const std::int64_t line = ReadRejectedRow(model_->storedRow(row)).line;
        const std::string record = ReadMediaLine(LocalNameBytes(mediaFile).toStdString(), line);
        (new RecordView(mediaFile, line, record, model_->location(row), this))->show();
    } catch (const std::exception& e) {
        // FileError, or LineTooLong for a file that is something else now.
        MessageBox::show(this, QString::fromStdString(e.what()), AppTitle(), QMessageBox::Critical,
                         QMessageBox::Ok);
    }
}

void FrmEdit::copyRows() {
    QList<int> rows;
    for (const QModelIndex& index : ListView1_->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    if (rows.isEmpty())
        return;
    const CopiedRows copied = CopyRows(*model_, rows);
    auto* table = new QMimeData;
    table->setText(copied.tabSeparated);
    table->setHtml(copied.html);
    QGuiApplication::clipboard()->setMimeData(table);
    emit rowsCopied(static_cast<int>(rows.size()));
}

void FrmEdit::exportRows() {
    const QFileInfo media(model_->rowsCheck().mediaFile);
    const QString path =
        FileDialog::getSaveFileName(this, tr("Excel workbook (*.xlsx);;CSV (*.csv)"), media.absolutePath(),
                                    "rejected-" + media.completeBaseName() + ".xlsx");
    if (path.isEmpty())
        return;
    try {
        const std::string file = LocalNameBytes(path).toStdString();
        if (path.endsWith(".csv", Qt::CaseInsensitive))
            ExportRejectedRows(*model_, file);
        else
            ExportRejectedWorkbook(*model_, file);
        emit rowsExported(path);
    } catch (const FileError& e) {
        MessageBox::show(this, QString::fromStdString(e.what()), AppTitle(), QMessageBox::Critical,
                         QMessageBox::Ok);
    }
}

void FrmEdit::clearEarlierRuns() {
    model_->removeEarlierRuns();
    // The rows left are in the runs' order again: sorted anew as the header says.
    const QHeaderView* header = ListView1_->header();
    model_->sort(header->sortIndicatorSection(), header->sortIndicatorOrder());
    showRowsNote();
    fitRowsTable();
    for (int i = ListErr_->count() - 1; i >= 0; --i)
        if (ListErr_->item(i)->data(kEarlierRun).toBool())
            delete ListErr_->takeItem(i);
}

QLineEdit* FrmEdit::makeValue(Label label, const QFont& font, int widthTwips) {
    QLineEdit* field = label == Label::SummaryPath ? new ElidedLineEdit(this) : new QLineEdit(this);
    field->setObjectName(Latin1(LabelName(label)));
    field->setReadOnly(true);
    field->setFont(font);
    field->setFocusPolicy(Qt::ClickFocus);
    field->setFixedWidth(TwipsToPixels(*this, widthTwips));
    values_[static_cast<std::size_t>(label)] = field;
    return field;
}

QGroupBox* FrmEdit::buildOutputFile() {
    auto* frame = new QGroupBox(this);
    frame->setObjectName("Frame1");
    const QFont font = MsSansSerif(8.25, true);
    auto* hashRow = new QHBoxLayout;
    hashRow->addWidget(Caption(Label::HashTotal, frame));
    hashRow->addWidget(makeValue(Label::HashTotal, font, 1575));
    hashRow->addStretch(1);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(makeValue(Label::SummaryPath, font, 5535));
    layout->addLayout(hashRow);
    return frame;
}

QGroupBox* FrmEdit::buildControlRecord() {
    auto* frame = new QGroupBox(this);
    frame->setObjectName("Frame2");
    const QFont font = MsSansSerif(9.75, true);
    // One character wide in the design, but a value field needs room for its frame.
    constexpr int kOneCharTwips = 375;

    auto* row1 = new QHBoxLayout;
    row1->addWidget(Caption(Label::TermPayment, frame));
    row1->addWidget(makeValue(Label::TermPayment, font, kOneCharTwips));
    row1->addSpacing(TwipsToPixels(*this, 360));
    row1->addWidget(Caption(Label::CompanyCode, frame));
    row1->addWidget(makeValue(Label::CompanyCode, font, 1455));
    row1->addSpacing(TwipsToPixels(*this, 360));
    row1->addWidget(Caption(Label::CompanyName, frame));
    row1->addWidget(makeValue(Label::CompanyName, font, 5055));
    row1->addStretch(1);

    auto* row2 = new QHBoxLayout;
    row2->addWidget(Caption(Label::ApplyCode, frame));
    row2->addWidget(makeValue(Label::ApplyCode, font, kOneCharTwips));
    row2->addSpacing(TwipsToPixels(*this, 360));
    row2->addWidget(Caption(Label::Status, frame));
    row2->addWidget(makeValue(Label::Status, font, kOneCharTwips));
    row2->addSpacing(TwipsToPixels(*this, 360));
    row2->addWidget(Caption(Label::EffectiveDate, frame));
    row2->addWidget(makeValue(Label::EffectiveDate, font, 975));
    row2->addSpacing(TwipsToPixels(*this, 360));
    row2->addWidget(Caption(Label::MediaType, frame));
    row2->addWidget(makeValue(Label::MediaType, font, kOneCharTwips));
    row2->addStretch(1);

    auto* row3 = new QHBoxLayout;
    row3->addWidget(Caption(Label::TotalRecord, frame));
    row3->addWidget(makeValue(Label::TotalRecord, font, 975));
    row3->addSpacing(TwipsToPixels(*this, 360));
    row3->addWidget(Caption(Label::TotalAmount, frame));
    row3->addWidget(makeValue(Label::TotalAmount, font, 1695));
    row3->addStretch(1);
    valueField(Label::TotalRecord)->setAlignment(Qt::AlignRight);
    valueField(Label::TotalAmount)->setAlignment(Qt::AlignRight);

    ListErr_ = new MessageList(frame);
    ListErr_->setObjectName("ListErr");
    ListErr_->setUniformItemSizes(true);
    connect(ListErr_, &QListWidget::currentItemChanged, this, [this](const QListWidgetItem* item) {
        emit locationChosen(item ? item->data(kLocationLine).toString() : QString());
    });

    auto* layout = new QVBoxLayout(frame);
    layout->addLayout(row1);
    layout->addLayout(row2);
    layout->addLayout(row3);
    layout->addWidget(ListErr_);
    return frame;
}

QGroupBox* FrmEdit::buildDetailSummary() {
    auto* frame = new QGroupBox(this);
    frame->setObjectName("Frame3");
    const QFont font = MsSansSerif(9.75, true);

    auto* totals = new QHBoxLayout;
    totals->addWidget(Caption(Label::DetailCount, frame));
    totals->addWidget(makeValue(Label::DetailCount, font, 2295));
    totals->addSpacing(TwipsToPixels(*this, 1065));
    totals->addWidget(Caption(Label::DetailAmount, frame));
    totals->addWidget(makeValue(Label::DetailAmount, font, 3615));
    totals->addStretch(1);

    ListView1_ = new QTreeView(frame);
    ListView1_->setObjectName("ListView1");
    ListView1_->setModel(model_);
    // Enter and a double-click.
    connect(ListView1_, &QAbstractItemView::activated, this, &FrmEdit::showRecord);
    connect(ListView1_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { emit locationChosen(currentLocation(current)); });
    ListView1_->setUniformRowHeights(true);
    ListView1_->setRootIsDecorated(false);
    ListView1_->setItemsExpandable(false);
    ListView1_->setWordWrap(false);
    // The rows take what the control record above leaves them, never less
    // than the minimum fitRowsTable() sets.
    ListView1_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    ListView1_->setAllColumnsShowFocus(true);
    ListView1_->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // NO. ascending is the order the runs put the rows in.
    ListView1_->header()->setSortIndicator(0, Qt::AscendingOrder);
    ListView1_->setSortingEnabled(true);
    ListView1_->header()->setStretchLastSection(false);
    fitRowsTable();
    // Parented to the window, so that it outlives the list, which is deleted with its group first.
    auto* padded = new CellPaddingStyle;
    padded->setParent(this);
    ListView1_->setStyle(padded);

    rowsNote_ = new QLabel(frame);
    rowsNote_->setObjectName("rowsNote");
    rowsNote_->hide();

    auto* layout = new QVBoxLayout(frame);
    layout->addLayout(totals);
    layout->addWidget(FixedLabel("Label27", {}, frame));
    layout->addWidget(rowsNote_);
    layout->addWidget(ListView1_, 1);
    return frame;
}

void FrmEdit::beginRun(const RunOrigin& run) {
    for (const Label label : kAllLabels)
        setLabel(label, {});
    const QColor dimmed = DimmedText(palette());
    for (int i = 0; i < ListErr_->count(); ++i) {
        QListWidgetItem* item = ListErr_->item(i);
        if (!item->data(kEarlierRun).toBool()) {
            item->setData(kEarlierRun, true);
            item->setToolTip(item->toolTip().isEmpty() ? runName_ : runName_ + u'\n' + item->toolTip());
            item->setForeground(dimmed);
        }
    }
    model_->beginRun(runName_, dimmed, {run.mediaPath, run.started});
    const std::string_view caption = FormatCaption(run.format);
    mediaLine_->setText(
        QStringLiteral("%1 (%2)").arg(QFileInfo(run.mediaPath).fileName(), QString::fromLatin1(caption)));
    mediaLine_->setToolTip(run.mediaPath);
    runName_ = tr("Earlier check: %1 at %2")
                   .arg(QDir::toNativeSeparators(run.mediaPath), run.started.toString("yyyy-MM-dd hh:mm:ss"));
}

void FrmEdit::setLabel(Label label, std::string_view bytes) {
    if (label == Label::SummaryPath) {
        summaryPath_ = bytes;
        showSummaryPath();
        return;
    }
    setValueText(label, FromMedia(bytes));
    if (label == Label::CompanyCode) {
        companyCode_ = bytes;
        showSummaryPath();
    }
}

void FrmEdit::setValueText(Label label, const QString& text) {
    valueField(label)->setText(text);
    valueField(label)->setCursorPosition(0);
}

// The folder part is a file name; the company code it ends with is text of
// the media file, whichever label a run sets first.
void FrmEdit::showSummaryPath() {
    const SummaryPathParts parts = SplitSummaryPath(summaryPath_, companyCode_);
    const QString text =
        LocalNameFromBytes(QByteArray(parts.folder.data(), static_cast<qsizetype>(parts.folder.size()))) +
        FromMedia(parts.companyCode);
    setValueText(Label::SummaryPath, text);
    valueField(Label::SummaryPath)->setToolTip(text);
}

QString FrmEdit::currentLocation(const QModelIndex& current) const {
    if (!current.isValid())
        return {};
    try {
        return LocationText(model_->location(current.row()));
    } catch (const FileError&) {
        return {}; // a row that cannot be read back says nothing
    }
}

void FrmEdit::appendListErr(std::string_view line, const Location& where) {
    auto* item = new QListWidgetItem(FromMedia(line), ListErr_);
    item->setToolTip(LocationTip(where));
    item->setData(kLocationLine, LocationText(where));
}

void FrmEdit::setColumns(const std::vector<Column>& columns) {
    model_->setColumns(columns);
    QHeaderView* header = ListView1_->header();
    for (std::size_t i = 0; i < columns.size(); ++i)
        header->resizeSection(static_cast<int>(i), TwipsToPixels(*this, columns[i].widthTwips));
}

void FrmEdit::insertRows(std::int64_t position, RejectedRows rows) {
    const std::int64_t row =
        std::clamp<std::int64_t>(position - 1, 0, static_cast<std::int64_t>(model_->allRows()));
    // A run numbers its rows by their lines, rising: the first and the last
    // are the widest, without reading every row back from the disk.
    const std::size_t digits =
        rows.empty() ? 0 : std::max(rows.cell(0, 0).size(), rows.cell(rows.size() - 1, 0).size());
    ListView1_->header()->setSortIndicator(0, Qt::AscendingOrder);
    model_->insertBlock(static_cast<int>(row), std::move(rows));
    widenNumbers(static_cast<int>(digits));
    showRowsNote();
    fitRowsTable();
}

void FrmEdit::fitRowsTable() {
    // Eight rows are always in view when there are rows; an empty table
    // yields its height to the messages above it.
    constexpr int kRowsShownAtLeast = 8;
    const bool hasRows = model_->rowCount() > 0;
    const int lines = hasRows ? kRowsShownAtLeast : 1;
    const int rowHeight = hasRows ? ListView1_->sizeHintForRow(0) : ListView1_->fontMetrics().height() + 4;
    ListView1_->setMinimumHeight(ListView1_->header()->sizeHint().height() + lines * rowHeight +
                                 2 * ListView1_->frameWidth());
}

void FrmEdit::showRowsNote() {
    const auto shown = static_cast<std::size_t>(model_->rowCount());
    rowsNote_->setVisible(shown < model_->allRows());
    rowsNote_->setText(tr("Only the first %L1 of %L2 rejected rows are listed; \"Export rejected rows...\" "
                          "writes them all.")
                           .arg(shown)
                           .arg(model_->allRows()));
}

void FrmEdit::widenNumbers(int digits) {
    // The cell's text margins: the item view's own on each side, and the padding.
    const int margins =
        2 * (ListView1_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, ListView1_) + 1 +
             kCellPadding);
    const int needed = ListView1_->fontMetrics().horizontalAdvance(QString(digits, u'9')) + margins;
    if (ListView1_->header()->sectionSize(0) < needed)
        ListView1_->header()->resizeSection(0, needed);
}

void FrmEdit::locateRows(const RunFormat& format, std::string controlLine) {
    model_->locateRun(format, std::move(controlLine));
}

void FrmEdit::setSummaryWritten(bool written) {
    summaryWritten_ = written;
    QLineEdit* field = valueField(Label::SummaryPath);
    QPalette colours = palette();
    if (!written) {
        colours.setColor(QPalette::Text, colours.color(QPalette::Disabled, QPalette::Text));
        field->setToolTip(tr("not written"));
    }
    field->setPalette(colours);
}

void FrmEdit::setSummaryMovedBecause(const QString& because) {
    QLineEdit* field = valueField(Label::SummaryPath);
    field->setToolTip(field->text() + QLatin1Char('\n') + because);
}

void FrmEdit::setSummaryDigest(const QString& sha256) {
    QLineEdit* field = valueField(Label::SummaryPath);
    field->setToolTip(field->toolTip() + QLatin1Char('\n') + tr("SHA-256: %1").arg(sha256));
}

void FrmEdit::setLetterAvailable(bool available) {
    letterAvailable_ = available;
    PrintSendData_->setEnabled(available);
}

void FrmEdit::focusAfterRun(bool runHasRows) {
    QWidget* target = ListErr_;
    if (runHasRows) {
        ListView1_->setCurrentIndex(model_->index(0, 0));
        target = ListView1_;
    } else if (PrintSendData_->isEnabled()) {
        target = PrintSendData_;
    }
    target->setFocus(Qt::OtherFocusReason);
}

void FrmEdit::Form_Activate() {
    PrintSendData_->setEnabled(letterAvailable_);
}

void FrmEdit::PrintSendData_Click() {
    emit coveringLetterRequested();
}

} // namespace qrv::gui
