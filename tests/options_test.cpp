// The command line as GNU tools read it, and the language of the messages.
#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <utility>
#include <string>
#include <vector>

#include "messages.h"
#include "options.h"

namespace {

ParsedOptions parse(std::vector<std::string> args) { return parse_options(args, Messages{Language::english}); }

TEST(Options, ValuesAttachedSeparateOrAfterAnEqualsSign)
{
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"-c", "2.5"}, {"-c2.5"}, {"--c", "2.5"}, {"--c=2.5"}, {"2.5"}, {"-q", "--", "2.5"}}) {
        const ParsedOptions p = parse(args);
        ASSERT_EQ(p.error, "") << args[0];
        EXPECT_EQ(p.options.c, 2.5) << args[0];
    }
    const ParsedOptions p = parse({"-qo", "out", "--csv"});
    EXPECT_TRUE(p.options.quiet && p.options.csv);
    EXPECT_EQ(p.options.output_dir, "out");
    EXPECT_EQ(parse({"--output-dir=a=b"}).options.output_dir, "a=b");
}

TEST(Options, AFluidAndAStateByNumbersOrAName)
{
    const ParsedOptions p = parse({"--tc=150.687", "--pc", "4.863e6", "--at-t", "80", "--substance", "Ar"});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(p.options.tc, 150.687);
    EXPECT_EQ(p.options.pc, 4.863e6);
    EXPECT_EQ(p.options.at_temperature, 80);
    EXPECT_EQ(p.options.substance, "Ar");
    EXPECT_FALSE(p.options.c);
    EXPECT_EQ(parse({"--at-pressure=1e5kg"}).error, "vdwcoex: '1e5kg' is not a number");
    EXPECT_EQ(parse({"--at", "1"}).error, "vdwcoex: unknown option: --at");
}

TEST(Options, LongOptionsMayBeAbbreviatedWhereOnlyOneFits)
{
    EXPECT_EQ(parse({"--out", "x"}).options.output_dir, "x");
    EXPECT_TRUE(parse({"--cs"}).options.csv);
    EXPECT_TRUE(parse({"--vers"}).options.version);
    // "--c" is an option of its own, not an abbreviation of --csv.
    EXPECT_EQ(parse({"--c", "3"}).options.c, 3);
}

TEST(Options, NegativeNumbersAreValuesNotOptions)
{
    EXPECT_EQ(parse({"-1"}).options.c, -1);
    EXPECT_EQ(parse({"--c=-0x1p1"}).options.c, -2);
    EXPECT_EQ(parse({"-inf"}).options.c, -std::numeric_limits<double>::infinity());
}

TEST(Options, EachUsageErrorSaysWhatIsWrong)
{
    EXPECT_EQ(parse({"-qx"}).error, "vdwcoex: unknown option: -x");
    EXPECT_EQ(parse({"--nope=1"}).error, "vdwcoex: unknown option: --nope");
    EXPECT_EQ(parse({"--csv=1"}).error, "vdwcoex: --csv takes no value");
    EXPECT_EQ(parse({"-o"}).error, "vdwcoex: -o needs a value");
    EXPECT_EQ(parse({"2.5kg"}).error, "vdwcoex: '2.5kg' is not a number");
    EXPECT_EQ(parse({" 2.5"}).error, "vdwcoex: ' 2.5' is not a number");
    EXPECT_EQ(parse({"1", "-c", "2"}).error, "vdwcoex: c is given more than once");
    // An empty folder name would quietly mean the current folder.
    EXPECT_EQ(parse({"-o", ""}).error, "vdwcoex: -o needs a folder's name, not an empty one");
    EXPECT_EQ(parse({"-qo", ""}).error, "vdwcoex: -o needs a folder's name, not an empty one");
    EXPECT_EQ(parse({"--output-dir="}).error, "vdwcoex: --output-dir needs a folder's name, not an empty one");
    // The unknown option in a bundle is the character itself.
    EXPECT_EQ(parse({"-q-"}).error, "vdwcoex: unknown option: -");
}

TEST(Options, AnArgumentInAMessageStaysOnOneLine)
{
    EXPECT_EQ(parse({"--no\npe"}).error, "vdwcoex: unknown option: '--no\\npe'");
    EXPECT_EQ(parse({"a\tb'\x01\xff"}).error, "vdwcoex: 'a\\tb\\'\\x01\\xff' is not a number");
}

TEST(Messages, EnglishWhereTheFirstLocaleVariableSetSaysSo)
{
    const auto language = [](const char* language_, const char* lc_all, const char* lang) {
        for (auto [name, value] : {std::pair{"LANGUAGE", language_}, {"LC_ALL", lc_all}, {"LANG", lang}})
            value ? setenv(name, value, 1) : unsetenv(name);
        unsetenv("LC_MESSAGES");
        return language_from_environment();
    };
    EXPECT_EQ(language(nullptr, nullptr, "en_GB.UTF-8"), Language::english);
    EXPECT_EQ(language("", "es_ES.UTF-8", "en_US.UTF-8"), Language::spanish);
    EXPECT_EQ(language("es", nullptr, "en_US.UTF-8"), Language::spanish);
    EXPECT_EQ(language(nullptr, nullptr, "C"), Language::spanish);
    EXPECT_EQ(language(nullptr, nullptr, nullptr), Language::spanish);
}

}  // namespace

TEST(Messages, SpanishHasItsAccentsOnAUtf8TerminalAndPlainLettersElsewhere)
{
    Messages utf8{Language::spanish};
    utf8.utf8 = true;
    const Messages plain{Language::spanish};
    EXPECT_EQ(utf8.hint(), "Pruebe 'vdwcoex --help' para más información.");
    EXPECT_EQ(plain.hint(), "Pruebe 'vdwcoex --help' para mas informacion.");
    EXPECT_EQ(plain.es("¿Año? ¡Sí! 20 °C, 5 cm³"), "Ano? Si! 20 C, 5 cm3");
    // An argument's bytes are the user's: escaped, never folded.
    EXPECT_EQ(plain.unknown_option("--año"), "vdwcoex: opcion desconocida: '--a\\xc3\\xb1o'");
    EXPECT_EQ(utf8.unknown_option("--año"), "vdwcoex: opción desconocida: '--a\\xc3\\xb1o'");
    // Every text of the help reads in plain letters where it must.
    for (const unsigned char ch : plain.help())
        EXPECT_LT(ch, 0x80);
}
