#pragma once

#include <QString>

namespace plimset {

// The two interface faces the Japanese texts were laid out for, tried in this order.
inline constexpr char16_t JapanesePreferredFamily[] = u"ＭＳ Ｐゴシック";
inline constexpr char16_t JapaneseFallbackFamily[] = u"ＭＳ ゴシック";

// What the font database can tell the program: the language choice asks whether Japanese
// can be shown, the main window whether its designed face is installed. Only an interface:
// the language choice uses it without a font database; the desktop layer implements it.
class FontProbe {
public:
    virtual ~FontProbe() = default;
    // Whether a font family of this name is installed.
    virtual bool HasFamily(const QString& family) const = 0;
    // Whether any installed font can show Japanese text.
    virtual bool HasJapaneseFont() const = 0;
};

} // namespace plimset
