#include "desktop/QtFontProbe.h"

#include <QFontDatabase>
#include <QStringList>

namespace plimset {

bool QtFontProbe::HasFamily(const QString& family) const {
    if (family.isEmpty())
        return false;
    return QFontDatabase::hasFamily(family) ||
           QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

bool QtFontProbe::HasJapaneseFont() const {
    return !QFontDatabase::families(QFontDatabase::Japanese).isEmpty();
}

QString BestJapaneseFamily() {
    const QtFontProbe probe;
    for (const QString& family : {QString::fromUtf16(JapanesePreferredFamily),
                                  QString::fromUtf16(JapaneseFallbackFamily)}) {
        if (probe.HasFamily(family))
            return family;
    }
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString& family : japanese) {
        if (!QFontDatabase::isFixedPitch(family))
            return family;
    }
    return japanese.isEmpty() ? QString() : japanese.first();
}

} // namespace plimset
