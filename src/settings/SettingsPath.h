#pragma once

#include <QString>

namespace plimset {

// The settings file for an executable: "<name>.ini" beside it (name = the executable's
// file name without its extension), used when it exists or when the executable's folder
// is writable and lies outside the system's folders; otherwise
// "<config>/plimset/<name>.ini", where <config> is xdgConfigHome when it is an absolute
// path and "<home>/.config" when it is not.
QString SettingsFilePath(const QString& executableFilePath, const QString& xdgConfigHome,
                         const QString& home);

// The same, with XDG_CONFIG_HOME and the home folder taken from the environment.
QString SettingsFilePath(const QString& executableFilePath);

} // namespace plimset
