// One line of the media file as it stands, under a column ruler, with the
// columns that failed marked and the hint below: what a clerk looks at
// before telling whoever made the file what to mend.
#pragma once

#include "core/location.h"

#include <QDialog>
#include <QString>
#include <cstdint>
#include <string>

namespace qrv::gui {

// Line `number` (counted from 1) of the file at `path`, as read. Throws
// FileError, also when the file has fewer lines, and LineTooLong.
std::string ReadMediaLine(const std::string& path, std::int64_t number);

// A ruler ("1........10........20") and a line of carets under columns
// `first` to `last` (counted from 1; none when `first` is 0), for `shown`,
// a line decoded one character per byte. A Thai mark above or below a
// letter takes no cell of its own, so it takes none in either line.
struct ColumnMarks {
    QString ruler;
    QString carets;
};
ColumnMarks MarkColumns(const QString& shown, int first, int last);

class RecordView : public QDialog {
    Q_OBJECT
  public:
    // `record` is line `line` of `mediaFile`, in code page 874.
    RecordView(const QString& mediaFile, std::int64_t line, const std::string& record, const Location& where,
               QWidget* parent);

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void retranslateUi();

    QString mediaFile_;
    std::int64_t line_;
};

} // namespace qrv::gui
