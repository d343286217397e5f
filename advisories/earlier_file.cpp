#include "advisories/earlier_file.h"

#include "core/cp874.h"
#include "core/text.h"
#include "files/file_error.h"
#include "files/line_reader.h"

namespace qrv {

namespace {

// The control record, refused unless it is one of `format` and `companyCode`.
void CheckControlLine(Format format, std::string_view line, std::string_view companyCode) {
    const RunFormat& table = FormatTable(format);
    const Fields control = SplitRecord(line, table.controlLayout);
    if (!table.passesFormatGate(Trim(control[control::TermPayment]))) {
        const std::optional<Format> other = FormatOfControlLine(line);
        throw EarlierFileRefused(other ? "the earlier file is " + std::string(FormatCaption(*other)) +
                                             ", not " + std::string(FormatCaption(format))
                                       : "the earlier file is not a media file of " +
                                             std::string(FormatCaption(format)));
    }
    if (control[control::CompanyCode] != companyCode)
        throw EarlierFileRefused("the earlier file is company " + Cp874ToUtf8(control[control::CompanyCode]) +
                                 ", not " + Cp874ToUtf8(companyCode));
}

AccountRecords ReadRecords(Format format, const std::string& path, std::string_view companyCode) {
    const RunFormat& table = FormatTable(format);
    LineReader reader(path);
    std::string_view line;
    if (!reader.next(line))
        throw EarlierFileRefused("the earlier file is empty");
    CheckControlLine(format, line, companyCode);
    AccountRecords records;
    for (std::int64_t number = 2; reader.next(line); ++number) {
        const Fields fields = SplitRecord(line, table.detailLayout);
        records.add(PackAccount(fields[detail::AccountNo]), number,
                    ReadableCents(fields[detail::Amount], table.detailWholeLength));
    }
    records.sortByAccount();
    return records;
}

} // namespace

AccountRecords ReadEarlierFile(Format format, const std::string& path, std::string_view companyCode) {
    if (const std::optional<ForeignText> foreign = ForeignTextOfFile(path))
        throw EarlierFileRefused("the earlier file is not a media file: " +
                                 std::string(ForeignTextHint(*foreign)));
    try {
        return ReadRecords(format, path, companyCode);
    } catch (const FileError& e) {
        throw EarlierFileRefused("the earlier file cannot be read: " + std::string(e.what()));
    } catch (const LineTooLong&) {
        throw EarlierFileRefused(
            "the earlier file is not a media file: it has a line longer than 65,536 bytes");
    }
}

} // namespace qrv
