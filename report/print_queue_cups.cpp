#include "report/print_queue.h"

#include "report/print_error.h"

#include <QPrinter>
#include <QStringList>
#include <algorithm>
#include <cups/cups.h>
#include <memory>
#include <string>

namespace qrv {

namespace {

struct IppDeleter {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using IppPtr = std::unique_ptr<ipp_t, IppDeleter>;

QString LastCupsError() {
    return QString::fromUtf8(cupsLastErrorString());
}

bool CupsFailed() {
    return cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE;
}

std::string QueueUri(const QByteArray& name) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", name.constData());
    return uri;
}

template <std::size_t N> void RequestAttributes(ipp_t* request, const char* const (&wanted)[N]) {
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", static_cast<int>(N),
                  nullptr, wanted);
}

// The queue's state, its state message and reasons and whether it accepts
// jobs; null with cupsLastError() set when CUPS cannot say.
IppPtr QueueState(const QByteArray& name) {
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, QueueUri(name).c_str());
    RequestAttributes(request, {"printer-is-accepting-jobs", "printer-state", "printer-state-message",
                                "printer-state-reasons"});
    IppPtr response(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"));
    return CupsFailed() ? nullptr : std::move(response);
}

bool QueueStopped(ipp_t* state) {
    ipp_attribute_t* attribute = ippFindAttribute(state, "printer-state", IPP_TAG_ENUM);
    return attribute && ippGetInteger(attribute, 0) == IPP_PSTATE_STOPPED;
}

// What CUPS says of a queue or job (`prefix` "printer" or "job"): its state
// message, else its state reasons other than "none".
QString StateText(ipp_t* state, const std::string& prefix = "printer") {
    ipp_attribute_t* message = ippFindAttribute(state, (prefix + "-state-message").c_str(), IPP_TAG_ZERO);
    if (message && *ippGetString(message, 0, nullptr))
        return QString::fromUtf8(ippGetString(message, 0, nullptr));
    QStringList reasons;
    ipp_attribute_t* reasonList = ippFindAttribute(state, (prefix + "-state-reasons").c_str(), IPP_TAG_ZERO);
    for (int i = 0; i < ippGetCount(reasonList); ++i) {
        const QString reason = QString::fromUtf8(ippGetString(reasonList, i, nullptr));
        if (reason != QStringLiteral("none"))
            reasons << reason;
    }
    return reasons.isEmpty() ? QStringLiteral("no reason given") : reasons.join(QStringLiteral(", "));
}

int NewestJobId(const QByteArray& queue, int whichJobs) {
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.constData(), 0, whichJobs);
    int newest = 0;
    for (int i = 0; i < count; ++i)
        newest = std::max(newest, jobs[i].id);
    cupsFreeJobs(count, jobs);
    return newest;
}

// The queue's first job numbered `firstId` or later, whatever its state; 0 for none.
int JobFrom(const QByteArray& queue, int firstId) {
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOBS);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, QueueUri(queue).c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, "all");
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "first-job-id", firstId);
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "limit", 1);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "job-id");
    const IppPtr response(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"));
    ipp_attribute_t* job = ippFindAttribute(response.get(), "job-id", IPP_TAG_INTEGER);
    return job ? ippGetInteger(job, 0) : 0;
}

IppPtr JobState(const QByteArray& queue, int job) {
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, QueueUri(queue).c_str());
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
    RequestAttributes(request, {"job-state", "job-state-message", "job-state-reasons"});
    IppPtr response(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"));
    return CupsFailed() ? nullptr : std::move(response);
}

} // namespace

std::optional<PrintQueue> PrintQueue::Of(const QPrinter& printer) {
    if (printer.outputFormat() != QPrinter::NativeFormat || !printer.outputFileName().isEmpty() ||
        printer.printerName().isEmpty())
        return std::nullopt;
    return ForPrinter(printer.printerName());
}

PrintQueue PrintQueue::ForPrinter(const QString& printerName) {
    // Qt names a CUPS instance "queue/instance"; jobs go to the queue.
    return PrintQueue(printerName.section(u'/', 0, 0));
}

QueueAdmission PrintQueue::admit() const {
    const IppPtr state = QueueState(name_.toUtf8());
    if (!state) {
        if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND)
            throw PrintError(name_, "CUPS no longer has this printer (" + LastCupsError() + ")");
        throw PrintError(name_, "CUPS does not answer (" + LastCupsError() + ")");
    }
    ipp_attribute_t* accepting = ippFindAttribute(state.get(), "printer-is-accepting-jobs", IPP_TAG_ZERO);
    if (accepting && !ippGetBoolean(accepting, 0))
        throw PrintError(name_, "the printer does not accept jobs (" + StateText(state.get()) + ")");
    QueueAdmission admission{newestJobId(), std::nullopt};
    if (QueueStopped(state.get()))
        admission.stopped = StateText(state.get());
    return admission;
}

int PrintQueue::requireJobSince(int newestBefore) const {
    if (CupsFailed())
        throw PrintError(name_, "CUPS did not take the letter (" + LastCupsError() + ")");
    const int job = JobFrom(name_.toUtf8(), newestBefore + 1);
    if (job == 0)
        throw PrintError(name_, QStringLiteral("CUPS made no job of the letter"));
    return job;
}

JobProgress PrintQueue::progress(int job) const {
    const IppPtr state = JobState(name_.toUtf8(), job);
    ipp_attribute_t* jobState = ippFindAttribute(state.get(), "job-state", IPP_TAG_ENUM);
    if (!jobState)
        return {};
    switch (ippGetInteger(jobState, 0)) {
    case IPP_JSTATE_STOPPED:
    case IPP_JSTATE_CANCELED:
    case IPP_JSTATE_ABORTED:
        return {JobProgress::State::Failed, StateText(state.get(), "job")};
    case IPP_JSTATE_COMPLETED:
        return {JobProgress::State::Done, {}};
    default:
        break;
    }
    const IppPtr queue = QueueState(name_.toUtf8());
    if (queue && QueueStopped(queue.get()))
        return {JobProgress::State::Failed, StateText(queue.get())};
    return {};
}

int PrintQueue::newestJobId() const {
    // Two questions, as CUPS answers with no more than the oldest 500 of its
    // finished jobs, while it lists every pending one. With a longer history
    // and nothing pending the answer is too low, which only makes the check
    // after printing easier to pass, never fail.
    return std::max(NewestJobId(name_.toUtf8(), CUPS_WHICHJOBS_ACTIVE),
                    NewestJobId(name_.toUtf8(), CUPS_WHICHJOBS_COMPLETED));
}

// Qt's own print dialog, used on Linux, also prints to a PDF file.
QString NoPrinterNotice() {
    ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    RequestAttributes(request, {"printer-name"});
    const IppPtr response(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"));
    // "Not found" is the answer of a server without printers; no connection,
    // that of a computer where none runs, whose error name tells a clerk nothing.
    if (CupsFailed() && cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE)
        return QStringLiteral(
            "No print service is running on this computer: the letter can be printed to a PDF file.");
    if (CupsFailed() && cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND)
        return QStringLiteral(
                   "The print service does not answer (%1): the letter can be printed to a PDF file.")
            .arg(LastCupsError());
    return QStringLiteral("No printer is set up: the letter can be printed to a PDF file.");
}

void OfferPdfFile(QPrinter& printer, const QString& path) {
    printer.setOutputFileName(path);
}

} // namespace qrv
