// A print queue. On Linux it is a queue of the CUPS print server: Qt hands
// it the document but keeps CUPS' answer to itself, so the queue is asked
// before the document goes to it whether it takes jobs, and afterwards
// whether it took this one and what became of it. On Windows the print
// dialog and the spooler say what went wrong, and there is no queue to ask.
#pragma once

#include <QString>
#include <optional>

class QPrinter;

namespace qrv {

// What a queue said before it was given the letter.
struct QueueAdmission {
    int newestJob = 0; // the newest job it has had, 0 for none
    // Why the queue holds its jobs (paused, or stopped by an error); nothing
    // when it prints.
    std::optional<QString> stopped;
};

// What became of a job so far.
struct JobProgress {
    enum class State { Waiting, Done, Failed } state = State::Waiting;
    QString reason; // what CUPS says of a failed job or its queue
};

class PrintQueue {
  public:
    explicit PrintQueue(QString name) : name_(std::move(name)) {}

    // The queue `printer` sends its document to; none when it writes a file.
    static std::optional<PrintQueue> Of(const QPrinter& printer);
    // The queue of the printer Qt names `printerName`.
    static PrintQueue ForPrinter(const QString& printerName);

    // Throws PrintError, naming the queue and CUPS' reason, when the server
    // does not answer, does not know the queue or the queue rejects jobs.
    QueueAdmission admit() const;

    // Called right after Qt handed the document to CUPS, before anything
    // else asks CUPS: the id of the job CUPS made of it, newer than
    // `newestBefore`. Throws PrintError when there is none.
    int requireJobSince(int newestBefore) const;

    // Failed when CUPS stopped, cancelled or aborted the job, or stopped the
    // queue; Waiting while it cannot say.
    JobProgress progress(int job) const;

  private:
    int newestJobId() const;

    QString name_;
};

// What the user is told, before the print dialog opens, when no printer is set
// up: where the letter can go instead, and why the print server has no
// printers to offer when it does not answer.
QString NoPrinterNotice();

// Where no printer is set up, the print dialog offers the letter as the PDF
// file at `path`, in place of one named after the user's home folder. Qt's own
// dialog, used on Linux, does; Windows' dialog offers no file.
void OfferPdfFile(QPrinter& printer, const QString& path);

} // namespace qrv
