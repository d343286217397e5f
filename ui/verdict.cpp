#include "ui/verdict.h"

#include <QFile>
#include <QFileInfo>

namespace qrv::gui {

namespace {

QString Count(std::int64_t count, const QString& one, const QString& many) {
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? one : many);
}

QString Findings(const RunCounts& counts) {
    if (counts.rejected == 0 && counts.messages == 0)
        return QStringLiteral("none rejected, totals agree");
    return QStringLiteral("%1 rejected, %2")
        .arg(counts.rejected)
        .arg(Count(counts.messages, QStringLiteral("control or totals message"),
                   QStringLiteral("control or totals messages")));
}

QString Outcome(const RunResult& result, const RunCounts& counts) {
    switch (result.outcome) {
    case RunOutcome::Finished:
        return QStringLiteral("%1 records, %2. Summary: %3")
            .arg(counts.records, Findings(counts),
                 QFile::decodeName(QByteArray::fromStdString(result.summaryPath)));
    case RunOutcome::WrongFormat:
        return QStringLiteral("Wrong Format");
    case RunOutcome::ControlRejected:
        return QStringLiteral("control record rejected (%1), no summary written")
            .arg(Count(counts.messages, QStringLiteral("message"), QStringLiteral("messages")));
    case RunOutcome::RunError:
        break;
    }
    const QString message = result.error ? QString::fromStdString(result.error->message) : QString();
    // A message about a line already says where the check stopped.
    if (result.error && result.error->line > 0)
        return message;
    return QStringLiteral("stopped: ") + message;
}

} // namespace

QString Verdict(const QString& mediaFile, Format format, const RunResult& result, const RunCounts& counts) {
    const std::string_view caption = FormatCaption(format);
    return QStringLiteral("%1 (%2): %3")
        .arg(QFileInfo(mediaFile).fileName(), QString::fromLatin1(caption), Outcome(result, counts));
}

} // namespace qrv::gui
