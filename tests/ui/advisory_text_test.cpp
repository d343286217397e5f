// The sentences the advisories and the journal say in English, made by those
// layers themselves: each one is Thai under Thai, and itself under English.
#include "ui/advisory_text.h"

#include "advisories/advisor.h"
#include "core/foreign_text.h"
#include "journal/journal.h"
#include "journal/run_entry.h"
#include "runs/check_run.h"
#include "tests/support/media_lines.h"
#include "tests/support/null_ports.h"
#include "tests/support/temp_dir.h"
#include "ui/language.h"

#include <QRegularExpression>
#include <QtTest>

using namespace qrv;
using namespace qrv::gui;
using namespace qrv::test;
using namespace std::chrono;

namespace {

struct Scenario {
    std::string media;
    std::optional<std::string> earlier{};
    std::optional<std::string> holidays{};
    year_month_day today = 2026y / December / 1;
    Format format = Format::M100;
};

void AddSentences(const Scenario& scenario, std::vector<std::string>& sentences) {
    TempDir dir;
    AdvisorySettings settings;
    settings.today = scenario.today;
    settings.leadDays = 3;
    if (scenario.earlier)
        settings.earlierPath = dir.write("earlier.txt", *scenario.earlier);
    if (scenario.holidays)
        settings.holidayPath = dir.write("holidays.txt", *scenario.holidays);
    Advisor advisor(scenario.format, settings);
    NullWindow window;
    SilentUser user;
    CheckFile(scenario.format, dir.write("media.txt", scenario.media), window, user, &advisor);
    const AdvisoryReport report = advisor.report();
    for (const Advisory& advisory : report.advisories)
        sentences.push_back(advisory.message);
    sentences.insert(sentences.end(), report.problems.begin(), report.problems.end());
}

std::vector<Payment> Accounts(int first, int count, std::int64_t satang) {
    std::vector<Payment> payments;
    for (int n = first; n < first + count; ++n)
        payments.push_back({ValidAccount(n), satang});
    return payments;
}

std::vector<Payment> operator+(std::vector<Payment> a, const std::vector<Payment>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

void AddAccountSentences(std::vector<std::string>& sentences) {
    const std::string a = ValidAccount(1), b = ValidAccount(2), changed = ValidAccount(3);
    // On more than one record with one amount, with two and on twelve; new,
    // missing and changed; one more new account past the listed thousand,
    // and two more missing ones.
    const std::vector<Payment> now = std::vector<Payment>{{a, 100}, {a, 100}, {b, 100}, {b, 200}} +
                                     std::vector<Payment>(12, {ValidAccount(4), 500}) +
                                     std::vector<Payment>{{changed, 5000000}} + Accounts(100, 999, 700);
    const std::vector<Payment> earlier =
        std::vector<Payment>{{a, 100}, {changed, 500000}} + Accounts(5000, 1002, 700);
    AddSentences({MediaFile(Format::M100, now), MediaFile(Format::M100, earlier)}, sentences);
    // Two more changed past the listed thousand; an earlier file with a line
    // too long for a media file.
    AddSentences(
        {MediaFile(Format::M100, Accounts(1, 1002, 500000)), MediaFile(Format::M100, Accounts(1, 1002, 100))},
        sentences);
    AddSentences({MediaFile(Format::M100, Accounts(1, 2, 100)), std::string(70000, '1')}, sentences);
}

void AddDateSentences(std::vector<std::string>& sentences) {
    const auto file = [](const char* date) {
        return MediaFile(Format::M100, {{ValidAccount(1), 100}}, "012345", date);
    };
    // 2026-12-31 a holiday one banking day away, with bad holiday lines.
    AddSentences({file("311226"), {}, "2026-12-31 วันสิ้นปี\nnot a date\n\xff\xfe\n", 2026y / December / 30},
                 sentences);
    AddSentences({file("311226"), {}, "2026-12-31\n", 2026y / December / 29}, sentences);
    AddSentences({file("261226")}, sentences);                                            // a Saturday
    AddSentences({file("271226")}, sentences);                                            // a Sunday
    AddSentences({file("311226"), {}, {}, 2027y / January / 5}, sentences);               // past
    AddSentences({file("311226"), {}, {}, year_month_day{}}, sentences);                  // today unknown
    AddSentences({file("311226"), {}, "2026-12-31\n", 2026y / December / 28}, sentences); // 2 days
}

void AddRefusedSentences(std::vector<std::string>& sentences) {
    const std::string media = MediaFile(Format::M100, {{ValidAccount(1), 100}});
    for (const std::string& earlier : {MediaFile(Format::M100, {{ValidAccount(1), 100}}, "999999"),
                                       MediaFile(Format::M10, {{ValidAccount(1), 100}}), std::string(),
                                       std::string("\xE0\xB8\x81 UTF-8\r\n"), std::string("junk\r\n")})
        AddSentences({media, earlier}, sentences);
}

// A file checked before, with each fate of its letter, and another file of
// the same company and effective date.
void AddJournalSentences(std::vector<std::string>& sentences) {
    TempDir dir;
    Journal journal((dir.path() / "journal.sqlite").string());
    RunEntry run;
    run.checkedAt = "2026-11-25T10:42:07+07:00";
    run.mediaPath = "/pay/jan.txt";
    run.companyCode = "065432";
    run.effectiveDate = "150124";
    const auto checked = [&](const std::string& digest, std::optional<LetterEntry> letter) {
        run.mediaSha256 = digest;
        const std::int64_t id = journal.recordRun(run);
        if (letter)
            journal.recordLetter(id, *letter);
    };
    const auto told = [&](const std::string& digest) {
        run.mediaSha256 = digest;
        for (const Advisory& advisory : RepeatAdvisories(journal, run))
            sentences.push_back(advisory.message);
    };
    checked("a", {});
    told("a");
    told("new");
    checked("b", LetterEntry{LetterEvent::Closed, "t"});
    told("b");
    checked("c", LetterEntry{LetterEvent::Saved, "t", "/pay/letter.txt", "ff"});
    told("c");
    for (const char* state : {"sent", "printed", "stopped"}) {
        checked(state, LetterEntry{LetterEvent::Printed, "t", "", "", "/printers/hp", "7", state});
        told(state);
    }
}

std::vector<std::string> Sentences() {
    std::vector<std::string> sentences;
    AddAccountSentences(sentences);
    AddDateSentences(sentences);
    AddRefusedSentences(sentences);
    AddJournalSentences(sentences);
    for (const ForeignText text :
         {ForeignText::Utf8, ForeignText::Utf8ByteOrderMark, ForeignText::Utf16, ForeignText::CrLineEnds})
        sentences.emplace_back(ForeignTextHint(text));
    return sentences;
}

// What stays in Latin letters under Thai: the format captions, paths, and the
// names of encodings, line ends and the holiday list's date.
QString WithoutNames(QString text) {
    static const QRegularExpression names(
        QStringLiteral("Format 100 M|Format 10 M|/\\S*|UTF-8|UTF-16|YYYY-MM-DD|CR LF|CR"));
    return text.remove(names);
}

} // namespace

class AdvisoryTextTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        sentences_ = Sentences();
        // The scenarios give some 3,000 sentences of every kind: fewer means
        // one of them stopped giving any.
        QVERIFY(sentences_.size() > 3000);
    }

    void englishIsAsTheLayersSayIt() {
        UseLanguage(Language::English);
        for (const std::string& sentence : sentences_)
            QCOMPARE(AdvisoryText(QString::fromStdString(sentence)), QString::fromStdString(sentence));
    }

    void thaiLeavesNoEnglish() {
        UseLanguage(Language::Thai);
        static const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
        for (const std::string& sentence : sentences_) {
            const QString thai = AdvisoryText(QString::fromStdString(sentence));
            QVERIFY2(!WithoutNames(thai).contains(latin),
                     qPrintable(QString::fromStdString(sentence) + QStringLiteral(" -> ") + thai));
        }
        UseLanguage(Language::English);
    }

    // A part holding "%" or "%1" is put in as it is, not read as a place.
    void partsAreTakenAsTheyAre() {
        UseLanguage(Language::Thai);
        const QString thai = AdvisoryText(QStringLiteral("the effective date %1 is a holiday: 50% off %2"));
        QVERIFY2(thai.contains(QStringLiteral("%1")) && thai.endsWith(QStringLiteral("50% off %2")),
                 qPrintable(thai));
        UseLanguage(Language::English);
    }

  private:
    std::vector<std::string> sentences_;
};

QTEST_MAIN(AdvisoryTextTest)
#include "advisory_text_test.moc"
