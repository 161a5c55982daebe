#include "core/NumericText.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace plimset {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

int digitOf(QChar c) {
    if (isDigit(c)) {
        return c.unicode() - u'0';
    }
    const QChar upper = c.toUpper();
    if (upper >= u'A' && upper <= u'F') {
        return upper.unicode() - u'A' + 10;
    }
    return 99;
}

// Overlong digits give the largest finite value, as an overlong decimal number does.
double radixValue(const QString& s, qsizetype start, int radix) {
    double value = 0;
    for (qsizetype i = start; i < s.size(); ++i) {
        const int digit = digitOf(s[i]);
        if (digit >= radix) {
            break;
        }
        value = value * radix + digit;
    }
    return std::isfinite(value) ? value : std::numeric_limits<double>::max();
}

} // namespace

double NumericValue(const QString& text) {
    QString s;
    s.reserve(text.size());
    for (QChar c : text) {
        if (!isBlank(c)) {
            s.append(c);
        }
    }

    if (s.size() >= 2 && s[0] == u'&') {
        const QChar kind = s[1].toUpper();
        if (kind == u'H') {
            return radixValue(s, 2, 16);
        }
        if (kind == u'O') {
            return radixValue(s, 2, 8);
        }
        return 0;
    }

    // Collect the longest prefix that forms a number, in a plain ASCII form strtod reads
    // the same way in every locale.
    std::string number;
    qsizetype i = 0;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        number += static_cast<char>(s[i].unicode());
        ++i;
    }
    bool anyDigit = false;
    bool seenPoint = false;
    for (; i < s.size(); ++i) {
        if (isDigit(s[i])) {
            anyDigit = true;
        } else if (s[i] == u'.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
        number += static_cast<char>(s[i].unicode());
    }
    if (!anyDigit) {
        return 0;
    }
    if (i < s.size() && (s[i].toUpper() == u'E' || s[i].toUpper() == u'D')) {
        std::string exponent = "e";
        qsizetype j = i + 1;
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-')) {
            exponent += static_cast<char>(s[j].unicode());
            ++j;
        }
        const qsizetype firstExponentDigit = j;
        for (; j < s.size() && isDigit(s[j]); ++j) {
            exponent += static_cast<char>(s[j].unicode());
        }
        if (j > firstExponentDigit) {
            number += exponent;
        }
    }
    const double value = std::strtod(number.c_str(), nullptr);
    if (!std::isfinite(value)) {
        return value > 0 ? std::numeric_limits<double>::max() : -std::numeric_limits<double>::max();
    }
    return value;
}

qint16 RoundToInt16(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    const double rounded = std::nearbyint(value); // the default rounding mode is half to even
    if (rounded > std::numeric_limits<qint16>::max()) {
        return std::numeric_limits<qint16>::max();
    }
    if (rounded < std::numeric_limits<qint16>::min()) {
        return std::numeric_limits<qint16>::min();
    }
    return static_cast<qint16>(rounded);
}

} // namespace plimset
