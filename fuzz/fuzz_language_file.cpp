// Language files: the field reader always ends, takes every field from the
// file, and the message rules only ever show text that the file holds.
#include "fuzz_check.h"

#include "config/language_file.h"

#include <optional>
#include <string>

namespace {

bool contains(std::string_view haystack, std::string_view needle)
{
    return haystack.find(needle) != std::string_view::npos;
}

void checkFields(std::string_view bytes)
{
    kdx::LanguageFieldReader reader(bytes);
    std::size_t fields = 0;
    while (const std::optional<std::string> field = reader.next()) {
        // Every field but the last consumes at least one byte, so the reader ends.
        FUZZ_CHECK(++fields <= bytes.size() + 1);
        FUZZ_CHECK(contains(bytes, *field));
        // Only a quoted field can hold a field end.
        if (field->find_first_of(",\r\n") != std::string::npos)
            FUZZ_CHECK(contains(bytes, '"' + *field));
    }
    FUZZ_CHECK(!reader.next());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes = fuzzInput(data, size);
    checkFields(bytes);

    const std::string chat = kdx::languageMessage(kdx::MessageRule::ChatFirstField, bytes);
    const std::optional<std::string> first = kdx::LanguageFieldReader(bytes).next();
    if (first && first->starts_with("##"))
        FUZZ_CHECK(chat == first->substr(2));
    else
        FUZZ_CHECK(chat.empty());

    const std::string titles = kdx::languageMessage(kdx::MessageRule::TitlesMarker, bytes);
    if (!titles.empty())
        FUZZ_CHECK(contains(bytes, titles) && contains(bytes, "KDX") && contains(bytes, "{"));
    return 0;
}
