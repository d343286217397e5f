// qrv-check's side of the journal of checks: recording a run with
// --journal, and --find-in-journal.
#pragma once

#include "advisories/advisory.h"
#include "cli/arguments.h"
#include "journal/journal.h"

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace qrv::cli {

using Say = std::function<void(std::string_view message)>;

// The journal --journal=PATH names, or the desktop program's.
std::string JournalPathOf(const Arguments& arguments);

// Adds to `advisories` what the journal says of `entry` (a file checked
// before, another of the company and date), counts them into it and records
// it. A journal that cannot be written costs the check nothing: `say` tells
// why, and the record has no run id.
JournalRecord RecordInJournal(const Arguments& arguments, RunEntry& entry, std::vector<Advisory>& advisories,
                              const Say& say);

// --find-in-journal: every run of the journal whose media or summary file
// had the bytes of the file, newest first, with what became of its letter.
// 0 when there is one, 1 when none, 2 when the file or the journal cannot be
// read (said through `say`).
int FindInJournal(const Arguments& arguments, std::ostream& out, const Say& say);

} // namespace qrv::cli
