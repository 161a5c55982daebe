#include "settings/OptionSettings.h"

#include "text/StringTable.h"

namespace plimset {

// Kept apart from the rest of the loading so that code which passes its own message
// defaults does not need the string table.
MessageTextDefaults MessageTextDefaultsFromStringTable() {
    MessageTextDefaults defaults;
    defaults.A1_E = ResourceText(803);
    defaults.A1_J = ResourceText(17803);
    defaults.C1_E = ResourceText(801);
    defaults.C2_E = ResourceText(802);
    defaults.C1_J = ResourceText(17801);
    defaults.C2_J = ResourceText(17802);
    return defaults;
}

OptionSettings LoadOptionSettings(const SettingsFile& file, const QString& defaultSoundFile) {
    return LoadOptionSettings(file, defaultSoundFile, MessageTextDefaultsFromStringTable());
}

} // namespace plimset
