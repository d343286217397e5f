#include "ui/record_view.h"

#include "files/file_error.h"
#include "files/line_reader.h"
#include "ui/thai_text.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <algorithm>

namespace qrv::gui {

std::string ReadMediaLine(const std::string& path, std::int64_t number) {
    LineReader reader(path);
    std::string line;
    for (std::int64_t read = 0; read < number; ++read)
        if (!reader.next(line))
            throw FileError("read line " + std::to_string(number) + " of", path,
                            "the file has fewer lines now");
    return line;
}

ColumnMarks MarkColumns(const QString& shown, int first, int last) {
    ColumnMarks marks;
    QString label; // the rest of a column number still to be written
    const int columns = std::max(static_cast<int>(shown.size()), last);
    for (int column = 1; column <= columns; ++column) {
        if (column == 1 || column % 10 == 0)
            label = QString::number(column);
        const bool marked = first > 0 && column >= first && column <= last;
        if (column <= shown.size() && shown[column - 1].category() == QChar::Mark_NonSpacing) {
            // Drawn on the letter before it: that letter's cell is marked too.
            if (marked && !marks.carets.isEmpty())
                marks.carets.back() = u'^';
            continue;
        }
        marks.ruler += label.isEmpty() ? QChar(u'.') : label.front();
        if (!label.isEmpty())
            label.remove(0, 1);
        marks.carets += marked ? u'^' : u' ';
    }
    while (marks.carets.endsWith(u' '))
        marks.carets.chop(1);
    return marks;
}

RecordView::RecordView(const QString& mediaFile, std::int64_t line, const std::string& record,
                       const Location& where, QWidget* parent)
    : QDialog(parent), mediaFile_(mediaFile), line_(line) {
    setObjectName("RecordView");
    setAttribute(Qt::WA_DeleteOnClose);
    const QString shown = FromMedia(record);
    const ColumnMarks marks = MarkColumns(shown, where.first, where.last);
    auto* text = new QPlainTextEdit(this);
    text->setObjectName("recordText");
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text->setPlainText(marks.ruler + u'\n' + shown + u'\n' + marks.carets);
    auto* hint = new QLabel(this);
    hint->setObjectName("recordHint");
    hint->setWordWrap(true);
    hint->setTextInteractionFlags(Qt::TextSelectableByMouse);
    hint->setText(QString::fromStdString(where.hint));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(hint);
    layout->addWidget(buttons);
    retranslateUi();
    const QFontMetrics metrics(text->font());
    text->setMinimumSize(
        metrics.horizontalAdvance(QString(std::max<qsizetype>(marks.ruler.size(), 40) + 2, u'0')),
        metrics.lineSpacing() * 5);
}

void RecordView::retranslateUi() {
    setWindowTitle(tr("Line %L1 of %2").arg(line_).arg(QDir::toNativeSeparators(mediaFile_)));
    findChild<QPlainTextEdit*>(QStringLiteral("recordText"))
        ->setAccessibleName(tr("The line, under a column ruler, with the failing columns marked"));
}

void RecordView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

} // namespace qrv::gui
