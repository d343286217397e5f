// What a check run needs from the outside: the result window, as the run
// fills it, and the user (message boxes and the mouse pointer). The desktop
// program, qrv-check and the tests each implement both.
#pragma once

#include "core/location.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

inline constexpr std::string_view kAppTitle = "QRV Edit Data";

// The value labels a run sets, by what they show.
enum class Label {
    SummaryPath,
    HashTotal,
    TermPayment,
    CompanyCode,
    CompanyName,
    ApplyCode,
    Status,
    EffectiveDate,
    TotalRecord,
    TotalAmount,
    MediaType,
    DetailCount,  // detail records counted
    DetailAmount, // their amount total
};
inline constexpr std::size_t kLabelCount = 13;
inline constexpr std::array<Label, kLabelCount> kAllLabels = {
    Label::SummaryPath, Label::HashTotal,   Label::TermPayment,   Label::CompanyCode, Label::CompanyName,
    Label::ApplyCode,   Label::Status,      Label::EffectiveDate, Label::TotalRecord, Label::TotalAmount,
    Label::MediaType,   Label::DetailCount, Label::DetailAmount};
// The control's object name, which the window, qrv-check's reports and the
// tests show: "Label1", "HashValue", "Term_p", ...
std::string_view LabelName(Label label);

// The fixed label beside a value label in the window: its object name and
// its caption, blanks included.
struct LabelCaption {
    Label value;
    std::string_view name;
    std::string_view text;
};
// Every value label's caption but the summary path's, which has none; in
// the order the window shows them.
inline constexpr LabelCaption kLabelCaptions[] = {
    {Label::HashTotal, "Label2", "Hash Total  :"},
    {Label::TermPayment, "Label4", "Term Payment  :"},
    {Label::CompanyCode, "Label6", "Company Code  :"},
    {Label::CompanyName, "Label8", "Company Name  :"},
    {Label::ApplyCode, "Label11", "Apply Code  :"},
    {Label::Status, "Label13", "Status  :"},
    {Label::EffectiveDate, "Label15", "Effective Date  :"},
    {Label::MediaType, "Label19", "Media Type  :"},
    {Label::TotalRecord, "Label17", "Total Record  :"},
    {Label::TotalAmount, "Label21", "Total Amount  :"},
    {Label::DetailCount, "Label23", "Detail Total Record  :"},
    {Label::DetailAmount, "Label25", "Detail Total Amount  :"},
};
// The caption of `label`; not for the summary path.
const LabelCaption& CaptionOf(Label label);

enum class Alignment { Left, Center, Right };

struct Column {
    std::string_view header;
    int widthTwips;
    Alignment alignment;
};

// NO., Account NO., Effective Date, Sign, Amount, Reason.
using ErrorRow = std::array<std::string, 6>;

// The result window as a check run uses it. Every call but close() creates
// the window first when it is not open. Texts from the media file are code
// page 874 bytes; Label1 holds the summary path as the file system takes it.
class ResultWindow {
  public:
    virtual ~ResultWindow() = default;
    virtual void setLabel(Label label, std::string_view text) = 0;
    // `where` says which field of the control record the line is about.
    virtual void appendListErr(std::string_view line, const Location& where) = 0;
    // Removes every column header of ListView1 and adds these.
    virtual void setColumns(const std::vector<Column>& columns) = 0;
    // Inserts a row at `position`, counted from 1, ahead of the row there.
    virtual void insertRow(std::int64_t position, ErrorRow row) = 0;
    virtual void show() = 0;
    // Closes the window and discards everything in it.
    virtual void close() = 0;
};

enum class Icon { None, Stop };
enum class Buttons { Ok, OkCancel };
enum class Answer { Ok, Cancel };

// Message boxes and the mouse pointer. Message texts and titles are UTF-8.
class UserPort {
  public:
    virtual ~UserPort() = default;
    // `details` (UTF-8, often empty) goes beside the text, as a message box's
    // informative text: the text itself stays as the user knows it.
    virtual Answer messageBox(std::string_view text, std::string_view title, Icon icon, Buttons buttons,
                              std::string_view details) = 0;
    virtual void setBusyPointer(bool busy) = 0;
};

} // namespace qrv
