// Table-driven tests of src/config: one runner for the case files in cases/,
// whose format cases/README.txt describes. Every table runs under "C", the locale
// the environment names and a comma-decimal locale, which the number texts must
// not heed.
#include "config/config_reader.h"
#include "config/control_panel.h"
#include "config/config_writers.h"
#include "config/file_names.h"
#include "config/language_file.h"
#include "config/number_text.h"
#include "config/code_page.h"
#include "config/text_encoding.h"
#include "config/value_rules.h"
#include "support/case_file.h"
#include "support/panel_controls.h"

#include <gtest/gtest.h>

#include <cctype>
#include <charconv>
#include <clocale>
#include <cstdio>
#include <random>

namespace {

using namespace kdx;

using test::CaseBlock;
using test::CaseEntry;
using test::change;
using test::stateOf;

// The lines ("|" + line), the settings that differ from a fresh model
// ("N [value] @line"), the used slots ("slot N [text] @line"), the tail and the encoding.
std::string describe(const KDXCfg &cfg)
{
    const SettingTable fresh;
    auto at = [](const std::optional<int> &line) { return line ? " @" + std::to_string(*line) : std::string(); };
    std::string text;
    for (const std::string &line : cfg.ConfigLines)
        text += "|" + line + "\n";
    for (int index = 1; index <= SettingCount; ++index) {
        const SettingRow &row = cfg.SettingTable[index];
        if (row.Value != fresh[index].Value || row.FoundAtLine)
            text += std::to_string(index) + " [" + row.Value + "]" + at(row.FoundAtLine) + "\n";
    }
    for (int slot = 1; slot <= CustomCommandSlotCount; ++slot)
        if (const CustomCommand &command = cfg.CustomCommands[slot]; !command.Text.empty() || command.FoundAtLine)
            text += "slot " + std::to_string(slot) + " [" + command.Text + "]" + at(command.FoundAtLine) + "\n";
    if (!cfg.UnreadTail.empty())
        text += "tail [" + cfg.UnreadTail + "]\n";
    return text + cfg.Encoding.name() + "\n";
}

std::string describe(const std::optional<UnencodableCharacter> &found)
{
    if (!found)
        return "none";
    char code[16];
    std::snprintf(code, sizeof code, " U+%04X", static_cast<unsigned>(found->character));
    return (found->setting ? "setting " + std::to_string(found->setting) : "slot " + std::to_string(found->slot)) + code;
}

double parse(const std::string &text) // whatever the locale
{
    double number = 0;
    EXPECT_EQ(std::from_chars(text.data(), text.data() + text.size(), number).ec, std::errc()) << text;
    return number;
}

// Sets the locale of a test; the reason where it cannot.
std::optional<std::string> useLocale(const char *locale)
{
    if (std::setlocale(LC_ALL, locale) == nullptr)
        return "locale '" + std::string(locale) + "' is not installed; run ensure_locale of scripts/lib/setup.sh";
    if (std::string(locale) == "de_DE.UTF-8" && std::localeconv()->decimal_point != std::string(","))
        return "locale de_DE.UTF-8 has no decimal comma";
    return std::nullopt;
}

// One test per locale and case file, so that a failure names the feature.
class CaseFiles : public ::testing::TestWithParam<std::tuple<const char *, const char *>> {
    void SetUp() override
    {
        if (const auto reason = useLocale(std::get<0>(GetParam())))
            GTEST_SKIP() << *reason;
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

INSTANTIATE_TEST_SUITE_P(Locales, CaseFiles,
                         ::testing::Combine(::testing::Values("C", "", "de_DE.UTF-8"),
                                            ::testing::Values("config_cases.txt", "code_page_cases.txt", "number_cases.txt",
                                                              "language_cases.txt", "value_cases.txt", "control_cases.txt")),
                         [](const auto &info) {
                             const std::string locale = std::get<0>(info.param);
                             const std::string file = std::get<1>(info.param);
                             return (locale.empty() ? "Environment" : locale.substr(0, 5)) + "_" + file.substr(0, file.find('.'));
                         });

TEST_P(CaseFiles, EveryEntryHolds)
{
    // Rows without a codepage entry read as the POSIX build does by default,
    // whatever the system's ANSI code page where the test runs.
    const FileCodePages linuxDefault{*CodePage::named("1252"), CodePage::utf8()};
    const std::string file = std::get<1>(GetParam());
    for (const CaseBlock &block : test::readCaseFile(std::string(KDX_CASES_DIR) + "/" + file)) {
        SCOPED_TRACE(file + ", block at line " + std::to_string(block.empty() ? 0 : block.front().line));
        KDXCfg cfg(linuxDefault);
        std::string input, kind, expectedModel, expectedOut;
        std::vector<std::string> messages, expectedMessages;
        bool entered = true;
        // The controls, shown once the file is read: an empty one where the block reads none.
        std::optional<ControlPanel> panel;
        const auto shown = [&]() -> ControlPanel & {
            if (!panel)
                panel.emplace(cfg).ShowSettings();
            return *panel;
        };
        for (const CaseEntry &e : block) {
            const std::string where = "line " + std::to_string(e.line);
            if (e.name == "codepage") {
                const auto chosen = codePagesNamed(e.value);
                ASSERT_TRUE(std::holds_alternative<FileCodePages>(chosen)) << where << ": " << std::get<std::string>(chosen);
                cfg = KDXCfg(std::get<FileCodePages>(chosen));
            } else if (e.name == "in")
                input += e.value;
            else if (e.name == "read") {
                messages.clear();
                for (const Message &m : readConfiguration(cfg, input + e.value))
                    messages.push_back(m.title + "|" + m.text + (m.icon == MessageIcon::Exclamation ? "|!" : ""));
                input.clear();
            } else if (e.name == "set")
                cfg.SettingTable[std::stoi(e.arg)].Value = e.value;
            else if (e.name == "file") {
                readConfiguration(cfg, e.value);
                if (panel)
                    panel->ShowSettings(); // a reload
                else
                    shown();
            } else if (e.name == "change")
                change(shown(), e.arg, e.value);
            else if (e.name == "shows")
                EXPECT_EQ(stateOf(shown().states(), e.arg), e.value) << where;
            else if (e.name == "enter")
                entered = shown().enter(settingIndex(e.arg), e.value);
            else if (e.name == "stored") {
                const int index = std::isdigit(static_cast<unsigned char>(e.arg[0])) ? std::stoi(e.arg) : settingIndex(e.arg);
                EXPECT_EQ(entered ? cfg.SettingTable[index].Value : "(refused)", e.value) << where;
            } else if (e.name == "refused")
                EXPECT_FALSE(entered) << where;
            else if (e.name == "slot")
                cfg.CustomCommands[std::stoi(e.arg)].Text = e.value;
            else if (e.name == "save")
                kind = e.value;
            else if (e.name == "msg")
                expectedMessages.push_back(e.value);
            else if (e.name == "model")
                expectedModel += e.value + "\n";
            else if (e.name == "out")
                expectedOut += e.value + "\r\n";
            else if (e.name == "unencodable")
                EXPECT_EQ(describe(findUnencodable(cfg)), e.value) << where;
            else if (e.name == "utf8")
                EXPECT_EQ(isValidUtf8(e.value), e.arg == "yes") << where;
            else if (e.name == "from")
                EXPECT_EQ(NumberFromText(e.value), parse(e.arg)) << where;
            else if (e.name == "to")
                EXPECT_EQ(NumberToText(parse(e.arg)), e.value) << where;
            else if (e.name == "round")
                EXPECT_EQ(roundHalfToEven(parse(e.arg)), parse(e.value)) << where;
            else if (e.name == "number")
                EXPECT_EQ(isNumberText(e.value), e.arg == "yes") << where;
            else if (e.name == "shown" || e.name == "hidden")
                EXPECT_EQ(controlCanShow(settingIndex(e.arg), e.value), e.name == "shown") << where;
            else if (e.name == "fields") {
                LanguageFieldReader reader(e.value);
                std::string fields;
                while (const std::optional<std::string> field = reader.next())
                    fields += *field + "|";
                EXPECT_EQ(fields, e.arg) << where;
                EXPECT_EQ(reader.next(), std::nullopt) << where << ": a field after the end";
            } else if (e.name == "chat" || e.name == "titles")
                EXPECT_EQ(languageMessage(e.name == "chat" ? MessageRule::ChatFirstField : MessageRule::TitlesMarker, e.value),
                          e.arg)
                    << where;
            else
                ADD_FAILURE() << "unknown entry '" << e.name << "' on " << where;
        }
        EXPECT_EQ(messages, expectedMessages);
        if (!expectedModel.empty()) {
            EXPECT_EQ(describe(cfg), expectedModel);
        }
        if (!kind.empty()) {
            const CleanOutputKind clean = kind == "all" ? CleanOutputKind::AllSettings : CleanOutputKind::LeaveOutDefaults;
            EXPECT_EQ(kind == "annotated" ? annotatedSave(cfg) : cleanOutput(cfg, clean), expectedOut);
        }
    }
}

// Every byte survives a decode and encode in every code page an admin may
// name, whether the system's converter reads it as a character or not, and the
// text between is valid UTF-8 for the window: random bytes, mostly above 0x7F.
TEST(CodePages, EveryByteSurvivesDecodeAndEncode)
{
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> byte(0, 255);
    for (const char *name : {"874", "932", "936", "949", "950", "1250", "1251", "1252", "1253", "1254", "1255", "1256", "1257",
                             "1258", "866", "KOI8-R"}) {
        const std::optional<CodePage> codePage = CodePage::named(name);
        ASSERT_TRUE(codePage) << name;
        for (int i = 0; i < 300; ++i) {
            std::string bytes(std::size_t(byte(random) % 24), '\0');
            for (char &b : bytes)
                b = static_cast<char>(byte(random) < 40 ? byte(random) % 0x80 : 0x80 + byte(random) % 0x80);
            const std::string text = codePage->decode(bytes);
            ASSERT_TRUE(isValidUtf8(text)) << name;
            ASSERT_EQ(codePage->firstUnencodable(text), std::nullopt) << name;
            ASSERT_EQ(codePage->encode(text), bytes) << name;
        }
    }
}

} // namespace
