// Records runs and letters into the journal named on its command line, one
// after the other, until it is killed: the kill test's writer.
#include "journal/journal.h"

#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: journal_writer JOURNAL\n";
        return 2;
    }
    qrv::RunEntry run;
    run.checkedAt = "2026-11-25T10:42:07+07:00";
    run.program = "journal_writer";
    run.format = "100M";
    run.mediaPath = "/pay/jan.txt";
    run.mediaSha256 = std::string(64, 'a');
    run.companyCode = "065432";
    run.outcome = "finished";
    try {
        qrv::Journal journal(argv[1]);
        for (;;)
            journal.recordLetter(journal.recordRun(run), {qrv::LetterEvent::Closed, run.checkedAt});
    } catch (const qrv::JournalError& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
}
