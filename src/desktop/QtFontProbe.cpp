#include "desktop/QtFontProbe.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
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
        // The font database does not always know which faces are fixed-width; the widths of
        // a narrow and a wide letter tell.
        const QFontMetrics metrics{QFont(family)};
        if (metrics.horizontalAdvance(u'i') != metrics.horizontalAdvance(u'W'))
            return family;
    }
    return japanese.isEmpty() ? QString() : japanese.first();
}

} // namespace plimset
