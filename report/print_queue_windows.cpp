// Windows has no print server to ask: the print dialog and Qt's Windows print
// engine report a printer that cannot be opened, and the spooler shows what
// becomes of a job. A letter handed to a printer counts as printed.
// Windows' print dialog offers printers only, no PDF file.
#include "report/print_queue.h"

namespace qrv {

std::optional<PrintQueue> PrintQueue::Of(const QPrinter&) {
    return std::nullopt;
}

PrintQueue PrintQueue::ForPrinter(const QString& printerName) {
    return PrintQueue(printerName);
}

QueueAdmission PrintQueue::admit() const {
    return {};
}

int PrintQueue::requireJobSince(int) const {
    return 0;
}

JobProgress PrintQueue::progress(int) const {
    return {JobProgress::State::Done, {}};
}

QString NoPrinterNotice() {
    return QStringLiteral("No printer is set up in Windows: the letter can be kept with \"Save\" and printed "
                          "once a printer is added in Windows' settings.");
}

// Windows' print dialog offers no file, and refuses a printer set to write one.
void OfferPdfFile(QPrinter&, const QString&) {}

} // namespace qrv
