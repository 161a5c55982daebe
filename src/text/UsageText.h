#pragma once

#include <QString>

namespace plimset {

// The command line's usage message in the language of the installed translators; lines end
// in CR LF.
QString UsageText(const QString& executableBaseName);

} // namespace plimset
