// The reply to the prompt: one number, read the way glibc's scanf("%lf")
// reads it, so that the same reply gives the same c on every platform.
#pragma once

#include <cstdio>
#include <optional>
#include <string_view>

// Skips white space, takes the characters that "%lf" takes from `in` (the
// first character after them is left unread) and returns the correctly
// rounded double they stand for, or nothing where "%lf" would read no number.
std::optional<double> read_number(std::FILE* in);

// Whether what follows a number just read from `in` is a comma and a digit,
// as where a decimal comma was typed ("1,5" reads as 1). The comma is taken,
// the character after it left unread.
bool decimal_comma_follows(std::FILE* in);

// The same, reading from the start of text.
std::optional<double> read_number(std::string_view text);

// The same, also setting `end` to where the characters read end in text (the
// first one left unread), so that a caller can tell what stopped the number.
std::optional<double> read_number(std::string_view text, size_t& end);

// The same, where text must be one number and nothing else: no blank before
// it, no character after the ones "%lf" takes.
std::optional<double> read_whole_number(std::string_view text);
