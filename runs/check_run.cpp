#include "runs/check_run.h"

#include "core/cp874.h"
#include "core/detail_check.h"
#include "core/digit_sums.h"
#include "core/display.h"
#include "core/text.h"
#include "files/file_error.h"
#include "files/files.h"
#include "files/line_reader.h"
#include "hash/hash.h"
#include "runs/control_check.h"
#include "runs/findings.h"
#include "summary/summary_file.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <new>

namespace qrv {

namespace {

constexpr std::string_view kPleaseCheck = "Please check data input file.";

// An input file without a single line: there is no control record to check.
struct EmptyMediaFile {};

// The summary file of a run that read every line could not be written.
struct SummaryUnwritten {
    FileError error;
    std::int64_t lastLine;
};

class Run {
  public:
    Run(const RunFormat& format, const std::string& mediaPath, ResultWindow& window, UserPort& user,
        RecordObserver* observer)
        : format_(format), mediaPath_(mediaPath), window_(window), user_(user), observer_(observer) {}

    RunResult execute();

  private:
    RunResult readFile();
    std::optional<RunOutcome> processControlLine();
    void processDetailLine();
    std::int64_t acceptPlainRecord(const Fields& fields);
    std::int64_t acceptRecord(const Fields& fields);
    void finish();
    Location TotalsMismatch(std::size_t field, const std::string& details, const std::string& control,
                            std::string difference, std::string_view verb) const;
    std::optional<Location> LocateStop(const ConversionError& error) const;
    void advanceLine();
    void reportError(const std::string& message, std::int64_t line, std::optional<Location> where = {});
    static void Increment(std::int64_t& counter, bool narrow);

    const RunFormat& format_;
    const std::string& mediaPath_;
    ResultWindow& window_;
    UserPort& user_;
    RecordObserver* observer_;
    RunResult result_;

    std::unique_ptr<LineReader> media_;
    std::unique_ptr<SummaryWriter> summary_;
    std::string_view line_; // into the reader's buffer, until the next line is read
    std::string controlLine_;
    Fields control_;
    std::optional<DetailRules> detailRules_;
    std::int64_t lineNumber_ = 1;
    std::int64_t errorRow_ = 1;
    std::int64_t detailCount_ = 0;
    std::int32_t hashTotal_ = 0;
    WideCents amountTotal_ = 0;
    bool errorFlag_ = false;
};

[[noreturn]] void ThrowOverflow(std::int64_t counter) {
    throw ConversionError(ConversionError::Kind::Overflow, std::to_string(counter));
}

void Run::Increment(std::int64_t& counter, bool narrow) {
    if (narrow && counter == std::numeric_limits<std::int32_t>::max())
        ThrowOverflow(counter);
    ++counter;
}

RunResult Run::execute() {
    user_.setBusyPointer(true);
    try {
        result_ = readFile();
    } catch (const ConversionError& e) {
        const std::string where = e.field().empty() ? "" : "in the " + e.field() + " field, ";
        const std::string what =
            e.kind() == ConversionError::Kind::Overflow ? "is out of range" : "is not a number";
        reportError("The check stopped at line " + std::to_string(lineNumber_) + ": " + where + "\"" +
                        Cp874ToUtf8(e.text()) + "\" " + what + ".",
                    lineNumber_, LocateStop(e));
    } catch (const FileError& e) {
        reportError(std::string(e.what()) + ".", 0);
    } catch (const SummaryUnwritten& e) {
        reportError(std::string(e.error.what()) + ".", e.lastLine);
        result_.error->summaryUnwritten = true;
    } catch (const EmptyMediaFile&) {
        reportError("The input file \"" + mediaPath_ + "\" is empty.", 0);
    } catch (const std::bad_alloc&) {
        reportError("The check stopped at line " + std::to_string(lineNumber_) +
                        ": there is not enough memory.",
                    lineNumber_);
    } catch (const std::exception& e) {
        reportError("The check stopped at line " + std::to_string(lineNumber_) + ": " + e.what() + ".",
                    lineNumber_);
    }
    user_.setBusyPointer(false);
    return result_;
}

void Run::reportError(const std::string& message, std::int64_t line, std::optional<Location> where) {
    media_.reset();
    summary_.reset();
    result_.outcome = RunOutcome::RunError;
    const std::string details = where ? LocationLine(*where, Cp874ToUtf8(where->found)) : "";
    result_.error = RunError{line, message, false, std::move(where)};
    user_.setBusyPointer(false);
    user_.messageBox(message, kAppTitle, Icon::Stop, Buttons::Ok, details);
}

RunResult Run::readFile() {
    if (format_.columnsBeforeOpen)
        window_.setColumns(format_.columns);
    media_ = std::make_unique<LineReader>(mediaPath_);
    if (!format_.columnsBeforeOpen)
        window_.setColumns(format_.columns);
    while (media_->next(line_)) {
        if (lineNumber_ == 1) {
            if (auto ended = processControlLine()) {
                result_.outcome = *ended;
                return result_;
            }
        } else {
            processDetailLine();
        }
        advanceLine();
    }
    finish();
    result_.outcome = RunOutcome::Finished;
    return result_;
}

void Run::advanceLine() {
    Increment(lineNumber_, format_.narrowCounters);
}

std::optional<RunOutcome> Run::processControlLine() {
    controlLine_ = line_;
    result_.controlLine = controlLine_;
    control_ = SplitRecord(controlLine_, format_.controlLayout);
    if (!format_.passesFormatGate(Trim(control_[control::TermPayment]))) {
        user_.messageBox("Wrong Format", "Warning", Icon::Stop, Buttons::Ok, {});
        window_.close();
        return RunOutcome::WrongFormat;
    }
    const std::string summaryPath = SummaryFilePath(mediaPath_, control_[control::CompanyCode]);
    window_.setLabel(Label::SummaryPath, summaryPath);
    window_.setLabel(Label::TermPayment, control_[control::TermPayment]);
    window_.setLabel(Label::CompanyCode, control_[control::CompanyCode]);
    window_.setLabel(Label::CompanyName, control_[control::CompanyName]);
    window_.setLabel(Label::ApplyCode, control_[control::ApplyCode]);
    window_.setLabel(Label::Status, control_[control::Status]);
    window_.setLabel(Label::EffectiveDate, RenderDate(control_[control::EffectiveDate]));
    window_.setLabel(Label::TotalRecord, InField("TotalRecord", [&] {
                         return FormatGroupedWhole(ToCurrency(control_[control::TotalRecord]));
                     }));
    window_.setLabel(Label::TotalAmount,
                     InField("TotalAmount", [&] { return FormatAmount(control_[control::TotalAmount], 2); }));
    window_.setLabel(Label::MediaType, control_[control::MediaType]);

    if (CheckControlRecord(control_, format_.controlLayout, format_.applyCodes, window_)) {
        user_.messageBox(kPleaseCheck, kAppTitle, Icon::None, Buttons::Ok, {});
        result_.findings = true;
        window_.show();
        return RunOutcome::ControlRejected;
    }
    summary_ = CreateSummaryFile(mediaPath_, control_[control::CompanyCode]);
    if (!summary_->movedBecause().empty()) {
        result_.summaryMovedBecause = summary_->movedBecause();
        window_.setLabel(Label::SummaryPath, summary_->path());
    }
    summary_->writeLine(controlLine_);
    detailRules_.emplace(control_);
    if (observer_)
        observer_->controlRecord(control_);
    return std::nullopt;
}

void Run::processDetailLine() {
    const Fields fields = SplitRecord(line_, format_.detailLayout);
    std::optional<std::int64_t> cents;
    if (IsAcceptedPlainRecord(fields, *detailRules_, format_.detailWholeLength + 2)) {
        cents = acceptPlainRecord(fields);
    } else if (const std::string_view reason = CheckDetailRecord(fields, *detailRules_); reason.empty()) {
        cents = acceptRecord(fields);
    } else {
        errorFlag_ = true;
        window_.insertRow(
            errorRow_, ErrorRow{std::to_string(lineNumber_ - 1), std::string(fields[detail::AccountNo]),
                                RenderDate(fields[detail::EffectiveDate]), std::string(fields[detail::Sign]),
                                std::string(fields[detail::Amount]), std::string(reason)});
        Increment(errorRow_, format_.narrowCounters);
    }
    if (observer_)
        observer_->detailRecord(
            {lineNumber_, fields[detail::AccountNo], fields[detail::Amount], cents, cents.has_value()});
    Increment(detailCount_, true);
}

// A record that IsAcceptedPlainRecord took: its digits are known plain. Its amount in hundredths.
std::int64_t Run::acceptPlainRecord(const Fields& fields) {
    hashTotal_ =
        AddToHashTotal(hashTotal_, PlainHashRecord(fields[detail::AccountNo], fields[detail::Amount]));
    summary_->writeLine(line_);
    const std::int64_t cents = PlainAmountCents(fields[detail::Amount]);
    amountTotal_ += cents;
    return cents;
}

std::int64_t Run::acceptRecord(const Fields& fields) {
    hashTotal_ = AddToHashTotal(hashTotal_, HashRecord(fields[detail::AccountNo], fields[detail::Amount]));
    summary_->writeLine(line_);
    const std::int64_t cents =
        InField("Amount", [&] { return AmountCents(fields[detail::Amount], format_.detailWholeLength); });
    amountTotal_ += cents;
    return cents;
}

// The control record's total in `field` against the details': `difference`
// is theirs less the control record's, "-" first when negative.
Location Run::TotalsMismatch(std::size_t field, const std::string& details, const std::string& control,
                             std::string difference, std::string_view verb) const {
    const bool less = difference.starts_with('-');
    if (less)
        difference.erase(0, 1);
    Location where =
        LocateControlField(control_, format_.controlLayout, field,
                           "the details " + std::string(verb) + " " + details + ", the control record says " +
                               control + " (" + difference + (less ? " less)" : " more)"));
    where.hint = "The control record's " + std::string(where.field) + " (columns " + ColumnRange(where) +
                 " of line 1) and the detail records must agree.";
    return where;
}

// The field a conversion failed in, on the line being read; nothing when
// the failure names no field of that line's layout.
std::optional<Location> Run::LocateStop(const ConversionError& error) const {
    const bool control = lineNumber_ == 1;
    const std::span<const std::string_view> names =
        control ? std::span<const std::string_view>(kControlFieldNames) : kDetailFieldNames;
    const auto named = std::ranges::find(names, error.field());
    if (named == names.end())
        return std::nullopt;
    const FieldLayout layout = control ? format_.controlLayout : format_.detailLayout;
    const std::string_view line = control ? std::string_view(controlLine_) : line_;
    Location where = LocateField(SplitRecord(line, layout), layout, names,
                                 static_cast<std::size_t>(named - names.begin()));
    where.expected =
        error.kind() == ConversionError::Kind::Overflow ? "a number small enough to count" : "a number";
    where.hint = MustHoldHint(where, "line " + std::to_string(lineNumber_));
    return where;
}

void Run::finish() {
    media_.reset();
    if (!summary_)
        throw EmptyMediaFile{};

    const std::int64_t lastLine = lineNumber_ - 1;
    lineNumber_ = 1; // the comparisons read the control line's fields
    window_.setLabel(Label::HashTotal, std::to_string(hashTotal_));
    window_.setLabel(Label::DetailCount, std::to_string(detailCount_));
    window_.setLabel(Label::DetailAmount, FormatCents(amountTotal_));

    const std::int32_t totalRecord =
        InField("TotalRecord", [&] { return ToInt32(control_[control::TotalRecord]); });
    if (totalRecord != detailCount_) {
        window_.appendListErr(finding::kRecordsMismatch.text,
                              TotalsMismatch(control::TotalRecord, std::to_string(detailCount_),
                                             std::to_string(totalRecord),
                                             std::to_string(detailCount_ - totalRecord), "count"));
        errorFlag_ = true;
    }
    const std::int64_t controlAmount = InField("TotalAmount", [&] {
        return AmountCents(control_[control::TotalAmount], format_.controlWholeLength);
    });
    if (controlAmount != amountTotal_) {
        const WideCents difference = amountTotal_ - controlAmount;
        window_.appendListErr(finding::kAmountMismatch.text,
                              TotalsMismatch(control::TotalAmount, FormatCents(amountTotal_),
                                             FormatCents(controlAmount), FormatCents(difference),
                                             "add up to"));
        errorFlag_ = true;
    }
    // Last of all, so that a comparison that stops the run leaves an earlier summary file as it was.
    try {
        summary_->commit();
    } catch (const FileError& e) {
        throw SummaryUnwritten{e, lastLine};
    }
    result_.summaryPath = summary_->path();
    result_.hashTotal = hashTotal_;
    summary_.reset();
    if (errorFlag_) {
        user_.messageBox(kPleaseCheck, kAppTitle, Icon::None, Buttons::Ok, {});
        result_.findings = true;
    }
    if (observer_)
        observer_->endOfFile();
    window_.show();
}

} // namespace

RunResult RunCheck(const RunFormat& format, const std::string& mediaPath, ResultWindow& window,
                   UserPort& user, RecordObserver* observer) {
    return Run(format, mediaPath, window, user, observer).execute();
}

} // namespace qrv
