// Number texts: reading any text gives a finite number, and the text written for
// a number reads back to the same text.
#include "fuzz_check.h"

#include "config/number_text.h"

#include <cmath>
#include <cstring>
#include <string>

namespace {

void checkWrittenTextReadsBack(double number)
{
    const std::string text = kdx::NumberToText(number);
    FUZZ_CHECK(kdx::NumberToText(kdx::NumberFromText(text)) == text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text = fuzzInput(data, size);
    const double number = kdx::NumberFromText(text);
    FUZZ_CHECK(std::isfinite(number));
    FUZZ_CHECK(std::isfinite(kdx::roundHalfToEven(number)));
    checkWrittenTextReadsBack(number);

    // The same bytes taken as a double reach numbers no text would produce:
    // denormals, infinities, NaNs.
    if (size >= sizeof(double)) {
        double raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        checkWrittenTextReadsBack(raw);
    }
    return 0;
}
