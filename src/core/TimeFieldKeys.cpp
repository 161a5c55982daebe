#include "core/TimeFieldKeys.h"

namespace plimset {

QChar FilterTimeFieldKey(QChar typed, bool clockStyle) {
    const char16_t code = typed.unicode();
    if (code == 1)
        return {};
    if (code <= 26)
        return typed;
    if (code >= u'0' && code <= u'9')
        return typed;
    if (clockStyle) {
        if (code == u':' || code == u'.')
            return QLatin1Char(':');
        return {};
    }
    if (code == u'.')
        return typed;
    return {};
}

} // namespace plimset
