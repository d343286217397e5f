// A queue of the CUPS print server. Qt hands it the document but keeps
// CUPS' answer to itself, so the queue is asked before the document goes to
// it whether it takes jobs, and afterwards whether it took this one.
#pragma once

#include <QString>
#include <optional>

class QPrinter;

namespace qrv {

class CupsQueue {
  public:
    explicit CupsQueue(QString name) : name_(std::move(name)) {}

    // The queue `printer` sends its document to; none when it writes a file.
    static std::optional<CupsQueue> Of(const QPrinter& printer);

    const QString& name() const { return name_; }

    // Throws PrintError, naming the queue and CUPS' reason, when the server
    // does not answer, does not know the queue or the queue rejects jobs.
    // Returns the newest job the queue has had (0 for none) for requireJobSince.
    int requireAcceptingJobs() const;

    // Called right after Qt handed the document to CUPS, before anything
    // else asks CUPS: throws PrintError unless CUPS took it as a job newer
    // than `newestBefore`.
    void requireJobSince(int newestBefore) const;

  private:
    int newestJobId() const;

    QString name_;
};

} // namespace qrv
