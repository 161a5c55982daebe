#include "settings/SettingsPath.h"

#include <QDir>
#include <QFileInfo>
#include <unistd.h>

namespace plimset {

namespace {

bool isBelow(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder + u'/');
}

// Folders the package manager owns: a settings file is never created there, even when
// the program runs with the rights to do so.
constexpr const char* SystemFolders[] = {"/usr", "/bin", "/sbin", "/lib", "/opt"};

bool isSystemFolder(const QString& folder) {
    const QString cleaned = QDir::cleanPath(folder);
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    for (const char* systemFolder : SystemFolders) {
        const QString system = QString::fromLatin1(systemFolder);
        if (isBelow(cleaned, system) || (!canonical.isEmpty() && isBelow(canonical, system))) {
            return true;
        }
    }
    return false;
}

bool isWritableFolder(const QString& folder) {
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

} // namespace

QString SettingsFilePath(const QString& executableFilePath, const QString& xdgConfigHome,
                         const QString& home) {
    const QFileInfo executable(executableFilePath);
    const QString fileName = executable.completeBaseName() + QStringLiteral(".ini");
    const QString folder = executable.absolutePath();
    const QString beside = QDir(folder).filePath(fileName);
    if (QFileInfo::exists(beside) || (isWritableFolder(folder) && !isSystemFolder(folder))) {
        return beside;
    }
    const QString configHome = QDir::isAbsolutePath(xdgConfigHome)
                                   ? xdgConfigHome
                                   : QDir(home).filePath(QStringLiteral(".config"));
    return QDir::cleanPath(configHome + QStringLiteral("/plimset/") + fileName);
}

QString SettingsFilePath(const QString& executableFilePath) {
    return SettingsFilePath(executableFilePath, qEnvironmentVariable("XDG_CONFIG_HOME"),
                            QDir::homePath());
}

} // namespace plimset
