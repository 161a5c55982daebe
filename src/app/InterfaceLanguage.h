#pragma once

#include "text/LanguageChoice.h"

namespace plimset {

// The language the interface speaks, as the program last chose it from the Language
// option, the session's language and the installed fonts. The application owns it and
// hands its values to the windows, the tray and the Options dialog.
struct LanguageInUse {
    InterfaceLanguage Interface = InterfaceLanguage::English;
    // No installed font can show Japanese: English stands in for it and the Options dialog
    // does not offer it.
    bool NoJapaneseFont = false;
};

} // namespace plimset
