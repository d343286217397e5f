#include "ui/checked_run.h"

#include "core/fields.h"
#include "core/text.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>

namespace qrv::gui {

namespace {

// The field's text, with anything a file name should not hold made "_".
QString NamePart(std::string_view field) {
    QString part;
    for (const char c : Trim(field))
        part += (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ? QChar(c)
                                                                                           : QChar(u'_');
    return part;
}

// What the control record and the rejected records say against the file.
QString Findings(const CheckedRun& run) {
    const QString rejected =
        QCoreApplication::translate("LetterWarning", "%1 rejected %2")
            .arg(run.rejected)
            .arg(run.rejected == 1 ? QCoreApplication::translate("LetterWarning", "record")
                                   : QCoreApplication::translate("LetterWarning", "records"));
    const QString totals =
        QCoreApplication::translate("LetterWarning", "totals do not agree with the control record");
    if (run.rejected > 0 && run.totalsDisagree)
        return QCoreApplication::translate("LetterWarning", "This file has %1 and its %2.")
            .arg(rejected, totals);
    if (run.rejected > 0)
        return QCoreApplication::translate("LetterWarning", "This file has %1.").arg(rejected);
    if (run.totalsDisagree)
        return QCoreApplication::translate("LetterWarning", "This file's %1.").arg(totals);
    return {};
}

// "2 accounts appear twice; 1 other advisory": the accounts on more than one
// record by name, the rest counted. The advisory that counts the accounts past
// the listed ones names no lines, and is one of the rest.
QStringList AdvisoryPhrases(const std::vector<Advisory>& advisories) {
    const auto count = [&](auto pick) {
        return static_cast<std::int64_t>(std::count_if(advisories.begin(), advisories.end(), pick));
    };
    const std::int64_t twice = count(
        [](const Advisory& a) { return a.code == AdvisoryCode::DuplicateAccount && a.lines.size() == 2; });
    const std::int64_t oftener = count(
        [](const Advisory& a) { return a.code == AdvisoryCode::DuplicateAccount && a.lines.size() > 2; });
    const std::int64_t others = static_cast<std::int64_t>(advisories.size()) - twice - oftener;
    QStringList phrases;
    if (twice > 0)
        phrases
            << (twice == 1
                    ? QCoreApplication::translate("LetterWarning", "1 account appears twice")
                    : QCoreApplication::translate("LetterWarning", "%1 accounts appear twice").arg(twice));
    if (oftener > 0)
        phrases << (oftener == 1
                        ? QCoreApplication::translate("LetterWarning", "1 account appears more than twice")
                        : QCoreApplication::translate("LetterWarning", "%1 accounts appear more than twice")
                              .arg(oftener));
    if (others > 0 && phrases.isEmpty())
        phrases << (others == 1 ? QCoreApplication::translate("LetterWarning", "1 advisory")
                                : QCoreApplication::translate("LetterWarning", "%1 advisories").arg(others));
    else if (others > 0)
        phrases << (others == 1
                        ? QCoreApplication::translate("LetterWarning", "1 other advisory")
                        : QCoreApplication::translate("LetterWarning", "%1 other advisories").arg(others));
    return phrases;
}

} // namespace

QString LetterFileName(const CheckedRun& run) {
    const Fields fields = SplitRecord(run.controlLine, FormatTable(run.format).controlLayout);
    return QStringLiteral("letter-%1-%2.txt")
        .arg(NamePart(fields[control::CompanyCode]), NamePart(fields[control::EffectiveDate]));
}

QString LetterWarning(const CheckedRun& run) {
    const QString findings = Findings(run);
    const QStringList advisories = AdvisoryPhrases(run.advisories);
    if (advisories.isEmpty())
        return findings;
    const QString joined = advisories.join(QStringLiteral("; "));
    if (findings.isEmpty())
        return QCoreApplication::translate("LetterWarning", "Advisories: %1.").arg(joined);
    // The findings' sentence goes on: "This file has 2 rejected records; 2 accounts appear twice."
    // Thai ends it without a full stop.
    if (!findings.endsWith(u'.'))
        return findings + QStringLiteral("; ") + joined;
    return findings.chopped(1) + QStringLiteral("; ") + joined + u'.';
}

} // namespace qrv::gui
