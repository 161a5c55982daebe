#pragma once

#include <QString>

#include <functional>

namespace plimset {

// The command line's usage message, in the language localizedText(id) looks texts up in;
// lines end in CR LF.
QString UsageText(const QString& executableBaseName,
                  const std::function<QString(int)>& localizedText);

} // namespace plimset
