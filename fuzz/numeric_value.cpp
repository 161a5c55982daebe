// The numeric value of any text: no undefined behaviour, blanks count for nothing wherever
// they stand, and the 16-bit rounding stays in range.
#include "FuzzSupport.h"
#include "core/NumericText.h"

#include <cmath>
#include <cstring>

namespace {

bool SameNumber(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QString& text : {QString::fromUtf8(bytes), QString::fromLatin1(bytes)}) {
        const double value = plimset::NumericValue(text);
        QString withoutBlanks = text;
        withoutBlanks.remove(u' ').remove(u'\t').remove(u'\n');
        FUZZ_CHECK(SameNumber(plimset::NumericValue(withoutBlanks), value));
        const qint16 rounded = plimset::RoundToInt16(value);
        if (std::isfinite(value) && std::fabs(value) < 30000) {
            FUZZ_CHECK(std::fabs(rounded - value) <= 0.5);
        }
    }
    return 0;
}
