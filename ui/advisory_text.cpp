#include "ui/advisory_text.h"

#include "ui/language.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>
#include <vector>

namespace qrv::gui {

namespace {

// Every sentence and part of a sentence the advisories and the journal say,
// %1.. where they put what varies. A longer shape comes before a shorter
// one that would also match its sentences.
constexpr const char* kShapes[] = {
    // Accounts on more than one record, new, missing and changed
    QT_TRANSLATE_NOOP("AdvisoryText", "account %1 is on %2, each time for %3"),
    QT_TRANSLATE_NOOP("AdvisoryText", "account %1 is on %2"),
    QT_TRANSLATE_NOOP("AdvisoryText", "account %1 on %2 is not in the earlier file"),
    QT_TRANSLATE_NOOP("AdvisoryText", "account %1 of the earlier file is not in this one"),
    QT_TRANSLATE_NOOP("AdvisoryText", "account %1 on %2: %3, against %4 in the earlier file (%5)"),
    QT_TRANSLATE_NOOP("AdvisoryText", "and %1 more account %2"),
    QT_TRANSLATE_NOOP("AdvisoryText", "and %1 more accounts %2"),
    QT_TRANSLATE_NOOP("AdvisoryText", "on more than one detail record"),
    QT_TRANSLATE_NOOP("AdvisoryText", "not in the earlier file"),
    QT_TRANSLATE_NOOP("AdvisoryText", "of the earlier file not in this one"),
    QT_TRANSLATE_NOOP("AdvisoryText", "whose amount changed as much"),
    QT_TRANSLATE_NOOP("AdvisoryText", "%1 lines, the first %2 and %3"),
    QT_TRANSLATE_NOOP("AdvisoryText", "lines %1 and %2"),
    QT_TRANSLATE_NOOP("AdvisoryText", "line %1"),
    QT_TRANSLATE_NOOP(
        "AdvisoryText",
        "against the earlier file: %1 detail records, %2 before (%3); their amounts add up to %4, "
        "%5 before (%6)"),
    QT_TRANSLATE_NOOP("AdvisoryText", "against the earlier file: %1 detail records, %2 before (%3)"),
    // The effective date
    QT_TRANSLATE_NOOP("AdvisoryText", "the effective date %1 is before today, %2"),
    QT_TRANSLATE_NOOP("AdvisoryText", "the effective date %1 is a Saturday"),
    QT_TRANSLATE_NOOP("AdvisoryText", "the effective date %1 is a Sunday"),
    QT_TRANSLATE_NOOP("AdvisoryText", "the effective date %1 is a holiday: %2"),
    QT_TRANSLATE_NOOP("AdvisoryText", "the effective date %1 is a holiday"),
    QT_TRANSLATE_NOOP("AdvisoryText", "the effective date %1 is %2 banking day after today, fewer than %3"),
    QT_TRANSLATE_NOOP("AdvisoryText", "the effective date %1 is %2 banking days after today, fewer than %3"),
    // The journal
    QT_TRANSLATE_NOOP("AdvisoryText", "This file was %1."),
    QT_TRANSLATE_NOOP("AdvisoryText", "Another file of company %1 for the effective date %2 was %3: %4."),
    QT_TRANSLATE_NOOP("AdvisoryText", "checked on %1 and %2"),
    QT_TRANSLATE_NOOP("AdvisoryText", "checked on %1"),
    QT_TRANSLATE_NOOP("AdvisoryText", "its letter printed on %1 (%2)"),
    QT_TRANSLATE_NOOP("AdvisoryText", "its letter saved as %1"),
    QT_TRANSLATE_NOOP("AdvisoryText", "its letter closed unsaved and unprinted"),
    QT_TRANSLATE_NOOP("AdvisoryText", "sent"),
    QT_TRANSLATE_NOOP("AdvisoryText", "printed"),
    QT_TRANSLATE_NOOP("AdvisoryText", "stopped"),
    // What kept advisories from being given
    QT_TRANSLATE_NOOP("AdvisoryText", "today's date is not known, so the effective date is not checked"),
    QT_TRANSLATE_NOOP("AdvisoryText", "there is not enough memory to compare the accounts of this file"),
    QT_TRANSLATE_NOOP("AdvisoryText",
                      "the file has more than %1 detail records, too many to compare accounts"),
    QT_TRANSLATE_NOOP("AdvisoryText", "the holiday list's line %1 %2; it is left out"),
    QT_TRANSLATE_NOOP("AdvisoryText", "is not UTF-8 text"),
    QT_TRANSLATE_NOOP("AdvisoryText", "does not begin with a day written YYYY-MM-DD"),
    QT_TRANSLATE_NOOP("AdvisoryText", "the holiday list cannot be read: %1"),
    QT_TRANSLATE_NOOP("AdvisoryText", "the earlier file is company %1, not %2"),
    QT_TRANSLATE_NOOP("AdvisoryText", "the earlier file is not a media file of %1"),
    QT_TRANSLATE_NOOP("AdvisoryText", "the earlier file is not a media file: %1"),
    QT_TRANSLATE_NOOP("AdvisoryText", "the earlier file is empty"),
    QT_TRANSLATE_NOOP("AdvisoryText", "the earlier file is %1, not %2"),
    QT_TRANSLATE_NOOP("AdvisoryText",
                      "the earlier file has more than %1 detail records, too many to compare"),
    QT_TRANSLATE_NOOP("AdvisoryText", "the earlier file cannot be read: %1"),
    QT_TRANSLATE_NOOP("AdvisoryText", "it has a line longer than %1 bytes"),
    // What a file is instead of code page 874 text
    QT_TRANSLATE_NOOP("AdvisoryText", "the file is UTF-8 text, not code page 874"),
    QT_TRANSLATE_NOOP("AdvisoryText",
                      "the file begins with a UTF-8 byte-order mark, which code page 874 text has not"),
    QT_TRANSLATE_NOOP("AdvisoryText", "the file is UTF-16 text, not code page 874"),
    QT_TRANSLATE_NOOP("AdvisoryText", "the file's lines end in CR alone, not CR LF, so it reads as one line"),
};

struct Shape {
    const char* english;
    QRegularExpression pattern; // the whole sentence, a group for each %n in order
    std::vector<int> places;    // the n of each group
};

const QRegularExpression& Place() {
    static const QRegularExpression place(QStringLiteral("%([1-9])"));
    return place;
}

Shape ShapeOf(const char* english) {
    const QString text = QString::fromUtf8(english);
    QString pattern = QStringLiteral("^");
    std::vector<int> places;
    qsizetype from = 0;
    for (const QRegularExpressionMatch& place : Place().globalMatch(text)) {
        pattern += QRegularExpression::escape(text.mid(from, place.capturedStart() - from)) +
                   QStringLiteral("(.*?)");
        places.push_back(place.captured(1).toInt());
        from = place.capturedEnd();
    }
    pattern += QRegularExpression::escape(text.mid(from)) + QStringLiteral("$");
    return {english, QRegularExpression(pattern), std::move(places)};
}

const std::vector<Shape>& Shapes() {
    static const std::vector<Shape> shapes = [] {
        std::vector<Shape> made;
        for (const char* english : kShapes)
            made.push_back(ShapeOf(english));
        return made;
    }();
    return shapes;
}

// `translation` with each %n replaced by parts[n - 1] in one pass, so that a
// part holding "%" (a percentage) is left as it is.
QString Filled(const QString& translation, const QStringList& parts) {
    QString filled;
    qsizetype from = 0;
    for (const QRegularExpressionMatch& place : Place().globalMatch(translation)) {
        const int n = place.captured(1).toInt();
        if (n > parts.size())
            continue;
        filled += translation.mid(from, place.capturedStart() - from) + parts[n - 1];
        from = place.capturedEnd();
    }
    return filled + translation.mid(from);
}

QString Translated(const QString& english) {
    for (const Shape& shape : Shapes()) {
        const QRegularExpressionMatch match = shape.pattern.match(english);
        if (!match.hasMatch())
            continue;
        QStringList parts(static_cast<qsizetype>(shape.places.size()));
        for (std::size_t group = 0; group < shape.places.size(); ++group)
            parts[shape.places[group] - 1] = Translated(match.captured(static_cast<int>(group) + 1));
        return Filled(QCoreApplication::translate("AdvisoryText", shape.english), parts);
    }
    return english;
}

} // namespace

// Matching costs some 30 µs a sentence, 0.1 s for the most a run gives:
// English is spared it.
QString AdvisoryText(const QString& english) {
    return CurrentLanguage() == Language::English ? english : Translated(english);
}

} // namespace qrv::gui
