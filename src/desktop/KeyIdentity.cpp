#include "desktop/KeyIdentity.h"

#include <QKeyEvent>

#ifdef PLIMSET_HAVE_XCB
#include "desktop/x11/X11KeyIdentity.h"
#endif

namespace plimset {

namespace {

int FromQtKey(int key) {
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return key; // Qt's codes for these keys are their ASCII codes
    return 0;
}

} // namespace

int DigitOrLetterKey(const QKeyEvent* event) {
#ifdef PLIMSET_HAVE_XCB
    if (const int code = X11DigitOrLetterKey(event->nativeScanCode()); code >= 0)
        return code;
#endif
    return FromQtKey(event->key());
}

} // namespace plimset
