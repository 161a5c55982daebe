#pragma once

#include "text/FontProbe.h"

#include <QString>

namespace plimset {

// The font probe over the desktop's font database.
class QtFontProbe : public FontProbe {
public:
    bool HasFamily(const QString& family) const override;
    bool HasJapaneseFont() const override;
};

// The family to show Japanese text in: one of the two named interface faces when installed,
// else a Japanese-capable family (proportional ones first, like the preferred face), else ""
// (keep the desktop's default font).
QString BestJapaneseFamily();

} // namespace plimset
