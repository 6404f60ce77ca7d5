// The program's own messages on the terminal: in which character set, the
// system's error texts in the run's language, and writing them so that a
// Windows console shows every letter. The locale that numbers are read and
// written with is never changed.
#pragma once

#include <cstdio>
#include <string>

#include "messages.h"

// Whether messages may be written in UTF-8: the locale's character set is
// UTF-8 (POSIX), or standard error is a console (Windows, where put_text
// writes wide characters).
bool messages_in_utf8();

// The system's text for errno `error` in the run's language, where the C
// library has it in that language (Spanish: an es_* locale and its message
// catalogue installed), in UTF-8; otherwise the C library's own text.
std::string system_error(int error, Language language);

// Writes UTF-8 text to the stream: on a Windows console as wide characters,
// elsewhere as it is. False if it could not be written.
bool put_text(std::FILE* stream, const std::string& text);
