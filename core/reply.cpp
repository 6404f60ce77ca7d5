#include "reply.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

bool is_space(int ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

bool is_digit(int ch) { return ch >= '0' && ch <= '9'; }

int lower(int ch) { return ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch; }

bool is_xdigit(int ch) { return is_digit(ch) || (lower(ch) >= 'a' && lower(ch) <= 'f'); }

struct FileInput {
    std::FILE* f;
    int get() { return std::getc(f); }
    void unget(int ch) { std::ungetc(ch, f); }
};

struct TextInput {
    std::string_view text;
    size_t at = 0;
    int get() { return at < text.size() ? static_cast<unsigned char>(text[at++]) : EOF; }
    void unget(int ch)
    {
        if (ch != EOF)
            --at;
    }
};

// Appends the letters of `word`, the first of which is already in ch, reading
// each next one; false at the first letter that differs (case aside).
template <class Input>
bool take(Input& in, std::string& field, int ch, const char* word)
{
    for (;;) {
        if (lower(ch) != *word)
            return false;
        field += static_cast<char>(ch);
        if (*++word == '\0')
            return true;
        ch = in.get();
    }
}

// Collects the characters of a "%lf" field into `field`, as glibc does: it
// never looks back more than one character, so "1e+" is taken whole though
// only "1" makes a number. False where it already knows there is no number.
template <class Input>
bool collect(Input& in, std::string& field)
{
    int ch;
    do
        ch = in.get();
    while (is_space(ch));
    if (ch == EOF)
        return false;
    if (ch == '-' || ch == '+') {
        field += static_cast<char>(ch);
        ch = in.get();
        if (ch == EOF)
            return false;
    }
    if (lower(ch) == 'n')
        return take(in, field, ch, "nan");
    if (lower(ch) == 'i') {
        if (!take(in, field, ch, "inf"))
            return false;
        ch = in.get();
        if (lower(ch) == 'i')
            return take(in, field, ch, "inity");
        in.unget(ch);
        return true;
    }

    const size_t start = field.size();
    bool hex = false, got_digit = false, got_dot = false, got_e = false;
    char exp_char = 'e';
    if (ch == '0') {
        field += '0';
        ch = in.get();
        if (lower(ch) == 'x') {
            field += static_cast<char>(ch);
            hex = true;
            exp_char = 'p';
            ch = in.get();
        } else {
            got_digit = true;
        }
    }
    for (;; ch = in.get()) {
        const bool exponent_sign = got_e && field.back() == exp_char && (ch == '-' || ch == '+');
        if (is_digit(ch) || (hex && !got_e && is_xdigit(ch))) {
            got_digit = true;
        } else if (exponent_sign) {
            // taken as it is
        } else if (got_digit && !got_e && lower(ch) == exp_char) {
            ch = exp_char;
            got_e = got_dot = true;
        } else if (!got_dot && ch == '.') {
            got_dot = true;
        } else {
            in.unget(ch);
            break;
        }
        field += static_cast<char>(ch);
    }
    // A lone "0x" is no number.
    return field.size() > start + (hex ? 2 : 0);
}

// Decimal or hexadecimal digits with an optional point and exponent, none of
// them a sign, converted to the nearest double.
double to_double(std::string_view digits, bool hex)
{
#if VDWCOEX_FLOAT_CHARCONV
    double x = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), x,
                                        hex ? std::chars_format::hex : std::chars_format::general);
    if (result.ec != std::errc::result_out_of_range)
        return x;
    // Too large or too small for a double; which of the two, the place of the
    // first non-zero digit tells, moved by the exponent.
    const size_t exp_at = digits.find(hex ? 'p' : 'e');
    const std::string_view mantissa = digits.substr(0, exp_at);
    const size_t point = std::min(mantissa.find('.'), mantissa.size());
    const size_t first = mantissa.find_first_not_of("0.");
    // The mantissa lies in [base^(place - 1), base^place).
    const long long place = first < point ? static_cast<long long>(point - first)
                                          : -static_cast<long long>(first - point - 1);
    long long exponent = 0;  // in bits for hexadecimal digits, else in decimal places
    if (exp_at != std::string_view::npos) {
        for (char ch : digits.substr(exp_at + 1))
            if (is_digit(ch) && exponent < 1000000000000000)
                exponent = exponent * 10 + (ch - '0');
        if (digits[exp_at + 1] == '-')
            exponent = -exponent;
    }
    return (place - 1) * (hex ? 4 : 1) + exponent >= 0 ? HUGE_VAL : 0.0;
#else
    // Without from_chars for double: this C library's strtod, which rounds
    // correctly (the byte comparisons with the native build prove it).
    const std::string text = (hex ? "0x" : "") + std::string(digits);
    return std::strtod(text.c_str(), nullptr);
#endif
}

// The number that strtod makes of the longest prefix of field it can read.
std::optional<double> convert(std::string_view field)
{
    const bool negative = !field.empty() && field[0] == '-';
    if (!field.empty() && (field[0] == '-' || field[0] == '+'))
        field.remove_prefix(1);
    double x = 0;
    if (!field.empty() && lower(field[0]) == 'i') {
        x = std::numeric_limits<double>::infinity();
    } else if (!field.empty() && lower(field[0]) == 'n') {
        x = std::numeric_limits<double>::quiet_NaN();
    } else {
        const bool hex = field.size() >= 2 && lower(field[1]) == 'x';
        if (hex)
            field.remove_prefix(2);
        const auto digit = [hex](char ch) { return hex ? is_xdigit(ch) : is_digit(ch); };
        size_t n = 0;
        bool any = false;
        for (; n < field.size() && digit(field[n]); ++n)
            any = true;
        if (n < field.size() && field[n] == '.')
            for (++n; n < field.size() && digit(field[n]); ++n)
                any = true;
        if (!any && !hex)
            return std::nullopt;
        // "0x" with no digit after it reads as the 0 before the x.
        if (any) {
            // The exponent counts only with a digit after its letter and sign.
            size_t e = n + 1;
            if (e < field.size() && (field[e] == '-' || field[e] == '+'))
                ++e;
            if (n < field.size() && e < field.size() && is_digit(field[e]))
                for (n = e; n < field.size() && is_digit(field[n]); ++n) {
                }
            x = to_double(field.substr(0, n), hex);
        }
    }
    return negative ? -x : x;
}

template <class Input>
std::optional<double> read(Input& in)
{
    std::string field;
    if (!collect(in, field))
        return std::nullopt;
    return convert(field);
}

}  // namespace

std::optional<double> read_number(std::FILE* in)
{
    FileInput input{in};
    return read(input);
}

bool decimal_comma_follows(std::FILE* in)
{
    const int comma = std::getc(in);
    if (comma != ',') {
        if (comma != EOF)
            std::ungetc(comma, in);
        return false;
    }
    const int next = std::getc(in);
    if (next != EOF)
        std::ungetc(next, in);
    return next >= '0' && next <= '9';
}

std::optional<double> read_number(std::string_view text)
{
    size_t end = 0;
    return read_number(text, end);
}

std::optional<double> read_number(std::string_view text, size_t& end)
{
    TextInput input{text};
    const auto x = read(input);
    end = input.at;
    return x;
}

std::optional<double> read_whole_number(std::string_view text)
{
    if (text.empty() || is_space(static_cast<unsigned char>(text[0])))
        return std::nullopt;
    TextInput input{text};
    const auto x = read(input);
    if (input.at != text.size())
        return std::nullopt;
    return x;
}
