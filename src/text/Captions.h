#pragma once

#include <QString>

class QObject;
class QWidget;

namespace plimset {

// The dynamic properties that carry the English source text of a window, control, menu or
// action and the translation context it is looked up in. Objects without them keep their
// caption.
inline constexpr char CaptionSourceProperty[] = "plimsetCaptionSource";
inline constexpr char CaptionContextProperty[] = "plimsetCaptionContext";

// Gives an object the source text of its caption, as marked with QT_TRANSLATE_NOOP(context,
// source) so that lupdate finds it; both must outlive the object (string literals do).
void SetCaptionSource(QObject* object, const char* context, const char* source);

// A caption as it reads once its access-key marks are gone: "&x" reads "x" and "&&" reads
// "&". Used where no access key can be shown: window titles, accessible names, labels that
// have no buddy to pass the key to.
QString WithoutMnemonic(const QString& text);

// Puts a caption on a widget of a kind that shows one (button, check or radio box, label,
// group box, menu; other widgets are left alone) and gives it the caption without its
// marks as accessible name, so that a screen reader reads what is shown. Every caption
// change goes through here.
void SetCaption(QWidget* widget, const QString& text);

// Sets the captions of a window and of everything in it that carries a caption source, in the
// language of the installed translators: the title,
// buttons, check and radio boxes, labels, group boxes, menus and actions. "&" marks the
// access key and "&&" shows one "&". Each captioned widget also gets the caption without
// its marks as accessible name. A label keeps the marks only if it already has its buddy.
void CaptionWindow(QWidget* window);

} // namespace plimset
