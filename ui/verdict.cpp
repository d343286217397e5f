#include "ui/verdict.h"

#include "ui/advisory_text.h"
#include "ui/local_names.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace qrv::gui {

namespace {

QString Count(std::int64_t count, const QString& one, const QString& many) {
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? one : many);
}

QString Findings(const RunCounts& counts) {
    if (counts.rejected == 0 && counts.messages == 0)
        return QCoreApplication::translate("Verdict", "none rejected, totals agree");
    return QCoreApplication::translate("Verdict", "%1 rejected, %2")
        .arg(counts.rejected)
        .arg(counts.messages == 0
                 ? QCoreApplication::translate("Verdict", "no control messages")
                 : Count(counts.messages, QCoreApplication::translate("Verdict", "control or totals message"),
                         QCoreApplication::translate("Verdict", "control or totals messages")));
}

// Why the summary file is where it is, when that is not where the rule puts it.
QString Moved(const RunResult& result) {
    if (result.summaryMovedBecause.empty())
        return {};
    return QStringLiteral(" (%1)").arg(
        QFile::decodeName(QByteArray::fromStdString(result.summaryMovedBecause)));
}

QString WrongFormat(Format format, const FileLook& look) {
    if (!look.format || *look.format == format)
        return QCoreApplication::translate("Verdict", "Wrong Format");
    const std::string_view caption = FormatCaption(*look.format);
    return QCoreApplication::translate("Verdict", "Wrong Format; this looks like a %1 file")
        .arg(QString::fromLatin1(caption));
}

QString Outcome(Format format, const RunResult& result, const RunCounts& counts, const FileLook& look) {
    switch (result.outcome) {
    case RunOutcome::Finished:
        return QCoreApplication::translate("Verdict", "%1 records, %2. Summary: %3%4")
            .arg(counts.records, Findings(counts),
                 LocalNameFromBytes(QByteArray::fromStdString(result.summaryPath)), Moved(result));
    case RunOutcome::WrongFormat:
        return WrongFormat(format, look);
    case RunOutcome::ControlRejected:
        return QCoreApplication::translate("Verdict", "control record rejected (%1), no summary written")
            .arg(Count(counts.messages, QCoreApplication::translate("Verdict", "message"),
                       QCoreApplication::translate("Verdict", "messages")));
    case RunOutcome::RunError:
        break;
    }
    const QString message = result.error ? QString::fromStdString(result.error->message) : QString();
    // A message about a line already says where the check stopped.
    if (result.error && result.error->line > 0)
        return message;
    return QCoreApplication::translate("Verdict", "stopped: ") + message;
}

} // namespace

QString Verdict(const QString& mediaFile, Format format, const RunResult& result, const RunCounts& counts,
                const FileLook& look) {
    const std::string_view caption = FormatCaption(format);
    QString verdict = QStringLiteral("%1 (%2): %3")
                          .arg(QFileInfo(mediaFile).fileName(), QString::fromLatin1(caption),
                               Outcome(format, result, counts, look));
    if (look.text) {
        const std::string_view hint = ForeignTextHint(*look.text);
        verdict += QStringLiteral("; ") + AdvisoryText(QString::fromLatin1(hint));
    }
    if (counts.advisories == 1)
        verdict += QCoreApplication::translate("Verdict", ", 1 advisory");
    else if (counts.advisories > 1)
        verdict += QCoreApplication::translate("Verdict", ", %1 advisories").arg(counts.advisories);
    return verdict;
}

} // namespace qrv::gui
