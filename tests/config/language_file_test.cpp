#include "config/language_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using kdx::LanguageFieldReader;
using kdx::LanguageMessage;
using kdx::MessageRule;

std::vector<std::string> AllFields(std::string_view bytes)
{
    std::vector<std::string> fields;
    LanguageFieldReader reader(bytes);
    while (std::optional<std::string> field = reader.Next())
        fields.push_back(std::move(*field));
    return fields;
}

TEST(LanguageFieldReader, SplitsFieldsAtCommasAndLineEnds)
{
    struct Case {
        const char *name;
        std::string_view bytes;
        std::vector<std::string> fields;
    };
    const Case cases[] = {
        {"empty input", "", {}},
        {"one line without end", "Hello", {"Hello"}},
        {"LF", "a\nb\n", {"a", "b"}},
        {"CR LF is one line end", "a\r\nb\r\n", {"a", "b"}},
        {"lone CR", "a\rb\r", {"a", "b"}},
        {"LF CR is two line ends", "a\n\rb", {"a", "", "b"}},
        {"comma", "Welcome, friends", {"Welcome", "friends"}},
        {"comma before line end", "a,\nb", {"a", "", "b"}},
        {"comma at the very end", "a,", {"a"}},
        {"empty line", "a\n\nb", {"a", "", "b"}},
        {"empty CR LF line", "a\r\n\r\nb", {"a", "", "b"}},
        {"line of spaces", "a\n   \nb", {"a", "", "b"}},
        {"leading spaces skipped", "   KDX", {"KDX"}},
        {"trailing spaces kept", "KDX  \n", {"KDX  "}},
        {"tab is no blank", "\tKDX", {"\tKDX"}},
        {"quotes keep commas", "\"Welcome, friends\"\nx", {"Welcome, friends", "x"}},
        {"quotes keep line ends", "\"a\r\nb\",c", {"a\r\nb", "c"}},
        {"rest after the quote dropped", "\"a\" junk, b", {"a", "b"}},
        {"quote after leading spaces", "  \" a \"", {" a "}},
        {"quote inside a field is kept", "say \"hi\", x", {"say \"hi\"", "x"}},
        {"empty quotes", "\"\",x", {"", "x"}},
        {"unclosed quote runs to the end", "\"a,b\nc", {"a,b\nc"}},
        {"quote as the last byte", "\"", {""}},
        {"NUL bytes are data", std::string_view("a\0b,c", 5), {std::string("a\0b", 3), "c"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(AllFields(c.bytes), c.fields) << "case: " << c.name;
}

TEST(LanguageFieldReader, ReportsNoMoreFieldsForEverAtTheEnd)
{
    LanguageFieldReader reader("only\r\n");
    EXPECT_EQ(reader.Next(), "only");
    EXPECT_EQ(reader.Next(), std::nullopt);
    EXPECT_EQ(reader.Next(), std::nullopt);
}

struct MessageCase {
    const char *name;
    std::string_view bytes;
    std::string message;
};

void ExpectMessages(MessageRule rule, const std::vector<MessageCase> &cases)
{
    for (const MessageCase &c : cases)
        EXPECT_EQ(LanguageMessage(rule, c.bytes), c.message) << "case: " << c.name;
}

TEST(ChatMessage, IsTheFirstFieldAfterItsHashMarks)
{
    ExpectMessages(MessageRule::ChatFirstField,
                   {
                       {"empty file", "", ""},
                       {"hash marks alone", "##\r\n", ""},
                       {"hash marks and a word", "##Hello\r\n", "Hello"},
                       {"only the first field counts", "Hello\r\n##Bye\r\n", ""},
                       {"comma ends the message", "##Welcome, friends\r\n", "Welcome"},
                       {"quoted message keeps its comma", "\"##Welcome, friends\"\r\n", "Welcome, friends"},
                       {"one hash mark", "#Hello", ""},
                       {"three hash marks keep the third", "###Hi", "#Hi"},
                       {"leading spaces skipped", "  ##Hi", "Hi"},
                       {"empty first line", "\r\n##Hi", ""},
                       {"lone CR line end", "##Hi\rrest", "Hi"},
                       {"UTF-8 bytes kept", "##Gr\xC3\xBC\xC3\x9F" "e\n", "Gr\xC3\xBC\xC3\x9F" "e"},
                   });
}

TEST(TitlesMessage, FollowsTheMarkersWithinSixFields)
{
    ExpectMessages(
        MessageRule::TitlesMarker,
        {
            {"empty file", "", ""},
            {"marker at the start", "KDX\r\n{\r\nMenus in English\r\n", "Menus in English"},
            {"lower-case kdx", "kdx\r\n{\r\nMenus in English\r\n", ""},
            {"KDX with a trailing space", "KDX \r\n{\r\nMenus\r\n", ""},
            {"brace starts a longer field", "KDX\n{en}\nEnglish\n", "English"},
            {"no brace after KDX", "KDX\nmenu\nKDX\n{\nFound\n", "Found"},
            {"field after KDX is read as the brace, not as KDX", "KDX\nKDX\n{\nLost\n", ""},
            {"marker in the sixth field", "1\n2\n3\n4\n5\nKDX\n{\nLate\n", "Late"},
            {"marker in the seventh field", "1\n2\n3\n4\n5\n6\nKDX\n{\nToo late\n", ""},
            {"extra reads do not count towards six",
             "KDX\n{\nOne\nKDX\n{\nTwo\nx\nx\nx\nKDX\n{\nSix\n", "Six"},
            {"last message wins", "KDX\n{\nFirst\nKDX\n{\nSecond\n", "Second"},
            {"an empty later message replaces an earlier one", "KDX\n{\nFirst\nKDX\n{\n\n", ""},
            {"ends after KDX", "KDX", ""},
            {"ends after the brace", "KDX\n{", ""},
            {"ends early after a message", "KDX\n{\nKept", "Kept"},
            {"commas separate the markers", "KDX,{,Menus, English\n", "Menus"},
            {"quoted message", "KDX,{,\"Menus, English\"\n", "Menus, English"},
            {"CR only line ends", "KDX\r{\rMenus\r", "Menus"},
            {"leading spaces before the markers", "  KDX\n  {\n  Menus\n", "Menus"},
        });
}

} // namespace
