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

// Whether two folders are the same, by their cleaned paths or where they really are.
bool isSameFolder(const QString& a, const QString& b) {
    if (QDir::cleanPath(a) == QDir::cleanPath(b)) {
        return true;
    }
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    return !canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath();
}

bool isUserBinFolder(const QString& folder, const QString& home, const QString& searchPath) {
    if (!home.isEmpty() &&
        isSameFolder(folder, QDir(home).filePath(QStringLiteral(".local/bin")))) {
        return true;
    }
    if (QFileInfo(QDir::cleanPath(folder)).fileName() != QStringLiteral("bin")) {
        return false;
    }
    const QStringList entries = searchPath.split(u':', Qt::SkipEmptyParts);
    for (const QString& entry : entries) {
        if (QDir::isAbsolutePath(entry) && isSameFolder(folder, entry)) {
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
                         const QString& home, const QString& searchPath) {
    const QFileInfo executable(executableFilePath);
    const QString fileName = executable.completeBaseName() + QStringLiteral(".ini");
    const QString folder = executable.absolutePath();
    const QString beside = QDir(folder).filePath(fileName);
    const bool installedForUser = isUserBinFolder(folder, home, searchPath);
    if (!installedForUser &&
        (QFileInfo::exists(beside) || (isWritableFolder(folder) && !isSystemFolder(folder)))) {
        return beside;
    }
    const QString configHome = QDir::isAbsolutePath(xdgConfigHome)
                                   ? xdgConfigHome
                                   : QDir(home).filePath(QStringLiteral(".config"));
    return QDir::cleanPath(configHome + QStringLiteral("/plimset/") + fileName);
}

QString SettingsFilePath(const QString& executableFilePath) {
    return SettingsFilePath(executableFilePath, qEnvironmentVariable("XDG_CONFIG_HOME"),
                            QDir::homePath(), qEnvironmentVariable("PATH"));
}

} // namespace plimset
