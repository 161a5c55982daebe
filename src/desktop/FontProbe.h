#pragma once

#include <QString>

namespace plimset {

// What the font database can tell the program: the language choice asks whether Japanese
// can be shown, the main window whether its designed face is installed. Only an interface:
// the language choice in the pure layer uses it without a font database.
class FontProbe {
public:
    virtual ~FontProbe() = default;
    // Whether a font family of this name is installed.
    virtual bool HasFamily(const QString& family) const = 0;
    // Whether any installed font can show Japanese text.
    virtual bool HasJapaneseFont() const = 0;
};

} // namespace plimset
