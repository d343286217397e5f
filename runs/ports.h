// What a check run needs from the outside: the result window, as the run
// fills it, and the user (message boxes and the mouse pointer). The desktop
// program, qrv-check and the tests each implement both.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

inline constexpr std::string_view kAppTitle = "QRV Edit Data";

// The value labels a run sets, by the names the window gives them.
enum class Label {
    Label1, // path of the summary file
    HashValue,
    Term_p,
    Com_code,
    Com_name,
    App_code,
    status,
    Eff_date,
    Total_record,
    Total_amount,
    Media,
    Label24, // detail record count
    Label26, // detail amount total
};
inline constexpr std::size_t kLabelCount = 13;
inline constexpr std::array<Label, kLabelCount> kAllLabels = {
    Label::Label1,   Label::HashValue, Label::Term_p,   Label::Com_code,     Label::Com_name,
    Label::App_code, Label::status,    Label::Eff_date, Label::Total_record, Label::Total_amount,
    Label::Media,    Label::Label24,   Label::Label26};
// "Label1", "HashValue", ...: the control's object name.
std::string_view LabelName(Label label);

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
    virtual void appendListErr(std::string_view line) = 0;
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
    virtual Answer messageBox(std::string_view text, std::string_view title, Icon icon, Buttons buttons) = 0;
    virtual void setBusyPointer(bool busy) = 0;
};

} // namespace qrv
