#pragma once

#include <QString>

class QObject;
class QWidget;

namespace plimset {

// The dynamic property that carries the base text id of a window, control, menu or action
// whose caption comes from the string table. Objects without it keep their caption.
inline constexpr char TextIdProperty[] = "plimsetTextId";

// Gives an object the base id of its caption.
void SetTextId(QObject* object, int baseId);

// The base id an object carries, or 0 when it carries none.
int TextId(const QObject* object);

// A caption as it reads once its access-key marks are gone: "&x" reads "x" and "&&" reads
// "&". Used where no access key can be shown: window titles, accessible names, labels that
// have no buddy to pass the key to.
QString WithoutMnemonic(const QString& text);

// Puts a caption on a widget of a kind that shows one (button, check or radio box, label,
// group box, menu; other widgets are left alone) and gives it the caption without its
// marks as accessible name, so that a screen reader reads what is shown. Every caption
// change goes through here.
void SetCaption(QWidget* widget, const QString& text);

// Sets the captions of a window and of everything in it that carries a text id: the title,
// buttons, check and radio boxes, labels, group boxes, menus and actions. "&" marks the
// access key and "&&" shows one "&". Each captioned widget also gets the caption without
// its marks as accessible name. A label keeps the marks only if it already has its buddy.
void CaptionWindow(QWidget* window, qint16 languageOffset);

} // namespace plimset
