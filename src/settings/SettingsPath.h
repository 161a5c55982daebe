#pragma once

#include <QString>

namespace plimset {

// The settings file for an executable: "<name>.ini" beside it (name = the executable's
// file name without its extension), used when it exists or when the executable's folder
// is writable and lies outside the system's folders; otherwise
// "<config>/plimset/<name>.ini", where <config> is xdgConfigHome when it is an absolute
// path and "<home>/.config" when it is not.
// A copy installed for one user, in "<home>/.local/bin" or in any folder named "bin" that
// searchPath (a PATH value, folders separated by ":") lists, always uses the config folder:
// such a folder holds programs, not their settings.
QString SettingsFilePath(const QString& executableFilePath, const QString& xdgConfigHome,
                         const QString& home, const QString& searchPath = QString());

// The same, with XDG_CONFIG_HOME, the home folder and PATH taken from the environment.
QString SettingsFilePath(const QString& executableFilePath);

} // namespace plimset
