#include "settings/OptionTable.h"

#include "text/StringTable.h"
#include "text/TextIds.h"

namespace plimset {

// Kept apart from the rest of the loading so that code which passes its own message
// defaults does not need the string table.
MessageTextDefaults MessageTextDefaultsFromStringTable() {
    MessageTextDefaults defaults;
    defaults.A1_E = ResourceText(TextIds::SetTimeCome);
    defaults.A1_J = ResourceText(TextIds::Japanese(TextIds::SetTimeCome));
    defaults.C1_E = ResourceText(TextIds::CountDownEnded);
    defaults.C2_E = ResourceText(TextIds::ClickStop);
    defaults.C1_J = ResourceText(TextIds::Japanese(TextIds::CountDownEnded));
    defaults.C2_J = ResourceText(TextIds::Japanese(TextIds::ClickStop));
    return defaults;
}

OptionSettings LoadOptionSettings(const SettingsFile& file, const QString& defaultSoundFile) {
    return LoadOptionSettings(file, defaultSoundFile, MessageTextDefaultsFromStringTable());
}

} // namespace plimset
