// The language of the windows: English, as the program has always spoken,
// or Thai. The letter, the summary file and the run's own texts are the
// same in both.
#pragma once

#include <QString>

namespace qrv::gui {

enum class Language { English, Thai };

// Puts the windows in `language` at once: every window hears of it through
// QEvent::LanguageChange and retranslates itself.
void UseLanguage(Language language);
Language CurrentLanguage();

// The language kept with the program's settings; English when none is kept.
Language SavedLanguage();
void SaveLanguage(Language language);

// The help page of `language`, as HTML.
QString HelpPageHtml(Language language);

} // namespace qrv::gui
