#pragma once

#include <QList>
#include <QString>

namespace plimset {

// 0 for English, 17 for Japanese: the Japanese text of base id N has id 17000 + N.
inline constexpr qint16 EnglishOffset = 0;
inline constexpr qint16 JapaneseOffset = 17;

// The string-table entry with this full id, or "" when there is none.
QString ResourceText(int id);

// The text of a base id in the language the offset selects.
QString LocalizedText(int baseId, qint16 languageOffset);

// Every full id the table holds (the English base ids, then their Japanese twins), ascending
// within each language.
QList<int> ResourceTextIds();

} // namespace plimset
