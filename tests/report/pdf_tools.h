// Reading a printed PDF back with poppler-utils.
#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace qrv::test {

inline QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>")
            .arg(program, QString::fromLocal8Bit(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline int PdfPageCount(const QString& pdf) {
    const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    const auto match = pages.match(RunTool(QStringLiteral("pdfinfo"), {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The text of one page (0 = all pages), one printed line a line.
inline QString PdfText(const QString& pdf, int page = 0) {
    QStringList arguments{QStringLiteral("-layout")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
                  << QString::number(page);
    return RunTool(QStringLiteral("pdftotext"), arguments << pdf << QStringLiteral("-"));
}

// Thai vowel and tone marks written above or below their consonant, which
// pdftotext may drop or move; SARA AM comes back as NIKHAHIT and SARA AA.
inline QString WithoutStackedMarks(QString text) {
    text.remove(QRegularExpression(QStringLiteral("[\\x{0E31}\\x{0E34}-\\x{0E3A}\\x{0E47}-\\x{0E4E}]")));
    return text.replace(QChar(0x0E33), QChar(0x0E32));
}

// Non-empty lines, blanks squeezed, marks removed: what survives a round trip
// through a PDF whatever the font's spacing.
inline QStringList ComparableLines(const QString& text) {
    QStringList lines;
    for (const QString& line : text.split(u'\n')) {
        const QString squeezed = WithoutStackedMarks(line).simplified();
        if (!squeezed.isEmpty())
            lines << squeezed;
    }
    return lines;
}

} // namespace qrv::test
