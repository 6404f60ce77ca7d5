// The reply to the prompt is read as glibc's scanf("%lf") reads it.
#include "reply.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

TEST(Reply, ReadsWhatScanfReadsAndNothingWhereItReadsNoNumber)
{
    EXPECT_EQ(read_number(" \n\t2.5kg"), 2.5);
    EXPECT_EQ(read_number("1,5"), 1.0);
    EXPECT_EQ(read_number("0x1.8p1"), 3.0);
    EXPECT_EQ(read_number("1e+"), 1.0);
    EXPECT_EQ(read_number("1.5e-"), 1.5);
    EXPECT_EQ(read_number("0x1p"), 1.0);
    EXPECT_TRUE(std::isnan(*read_number("nan(")));
    for (const char* none : {"", "  \n", "abc", "0x", "0xp1", "0Xp+3", "-0xp1", ".", "+.", "-",
                             "infinit", "na"})
        EXPECT_FALSE(read_number(none).has_value()) << "'" << none << "'";
}

TEST(Reply, ReadsFromAStreamUpToTheFirstCharacterAfterTheNumber)
{
    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    std::fputs("  -2.5e1kg", f);
    std::rewind(f);
    EXPECT_EQ(read_number(f), -25.0);
    EXPECT_EQ(std::getc(f), 'k');
    std::fclose(f);
    // From text, the same place is told: a decimal comma stops the number.
    for (const auto& [text, end] : {std::pair<const char*, size_t>{"1,5", 1}, {"  -2.5e1kg", 8}, {"1e+", 3}}) {
        size_t at = 99;
        read_number(text, at);
        EXPECT_EQ(at, end) << text;
    }
}

#ifdef __GLIBC__
std::vector<std::string> corpus()
{
    std::vector<std::string> replies = {
        "14227587.651689847", "4360961.4860904417", "96207971.826810278",
        "1000000.0000000000582076609134674072265625001", "1000000.0000000000582076609134674072265625",
        "1e", "0x", "0x.", "0x.p1", "0xg", "00x1", "0x1.p", "0x1P-1074", "0x1p-1075", "0x1p-1076",
        "0x1.fffffffffffff8p1023", "0x1.fffffffffffff7ffp1023", "1.7976931348623158e308",
        "1.7976931348623159e308", "2.4703282292062327e-324", "2.4703282292062328e-324",
        "1e400", "1e-400", "1e99999999999999999999999", "1e-99999999999999999999999",
        "0.0000000000000000000000000001e330", "100000000000000000000000000e-350", "inf", "INF",
        "Infinity", "iNfInItY", "infx", "infinityx", "NaN", "nan(123)", "nAnx", "e5", ".e5",
        "1.e5", ".5", "0e", "0.e", "5e-", "0x.8", "0xA.Bp-1", "0xfp", "0x1e", "0e0x"};
    replies.push_back("1" + std::string(2000, '0'));
    replies.push_back("0." + std::string(2000, '0') + "1e2001");
    replies.push_back("1." + std::string(400, '0') + "1");
    replies.push_back(std::string(400, '0') + "7.5");

    std::mt19937_64 random(20261208);
    char buf[1200];
    // Random 17-digit decimals between 1e5 and 1e9.
    for (int i = 0; i < 100000; ++i) {
        std::snprintf(buf, sizeof buf, "%.17g",
                      std::uniform_real_distribution<double>(1e5, 1e9)(random));
        std::string s = buf;
        s.back() = static_cast<char>('0' + random() % 10);
        replies.push_back(s);
    }
    // Just below, at and just above the halfway points between neighbouring
    // doubles, and random doubles in hexadecimal.
    for (int i = 0; i < 2000; ++i) {
        double x;
        const uint64_t bits = random() >> 1;
        std::memcpy(&x, &bits, sizeof x);
        if (!std::isfinite(x))
            continue;
        const long double half = (static_cast<long double>(x) + std::nextafter(x, INFINITY)) / 2;
        std::snprintf(buf, sizeof buf, "%.1100Lg", half);
        const std::string exact = buf;
        replies.push_back(exact);
        replies.push_back(exact + "000001");
        replies.push_back(exact.substr(0, exact.find_last_not_of("0e-+123456789") + 30));
        std::snprintf(buf, sizeof buf, "%a", x);
        replies.push_back(buf);
    }
    // Every partial form: short strings over the characters a number is made of.
    const std::string letters = "0123456789.eEpPxX+-infatyINFATY( ";
    for (int i = 0; i < 200000; ++i) {
        std::string s;
        for (size_t n = 1 + random() % 9; n > 0; --n)
            s += letters[random() % letters.size()];
        replies.push_back(s);
    }
    return replies;
}

TEST(Reply, GivesTheSameBitsAsGlibcScanfOverALargeCorpus)
{
    int differ = 0;
    for (const std::string& base : corpus()) {
        for (const char* prefix : {"", "-", "+", " \t\n"}) {
            const std::string reply = prefix + base;
            double expected = 0;
            const bool read = std::sscanf(reply.c_str(), "%lf", &expected) == 1;
            const std::optional<double> got = read_number(reply);
            if (got.has_value() != read ||
                (read && std::memcmp(&expected, &*got, sizeof expected) != 0)) {
                if (++differ <= 10)
                    ADD_FAILURE() << "'" << reply.substr(0, 80) << "': scanf "
                                  << (read ? std::to_string(expected) : "no number") << ", read "
                                  << (got ? std::to_string(*got) : "no number");
            }
        }
    }
    EXPECT_EQ(differ, 0);
}
#endif

}  // namespace
