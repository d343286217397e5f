#include "ui/checked_run.h"

#include "core/fields.h"
#include "core/text.h"

#include <QCoreApplication>

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

} // namespace

QString LetterFileName(const CheckedRun& run) {
    const Fields fields = SplitRecord(run.controlLine, FormatTable(run.format).controlLayout);
    return QStringLiteral("letter-%1-%2.txt")
        .arg(NamePart(fields[control::CompanyCode]), NamePart(fields[control::EffectiveDate]));
}

QString LetterWarning(const CheckedRun& run) {
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

} // namespace qrv::gui
