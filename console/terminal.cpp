#include "terminal.h"

#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <langinfo.h>
#include <locale.h>
#endif

#ifdef _WIN32

namespace {

HANDLE console_of(std::FILE* stream)
{
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) ? handle : nullptr;
}

}  // namespace

bool messages_in_utf8() { return console_of(stderr) != nullptr; }

// The C runtime's texts are English; Windows' own are not used here.
std::string system_error(int error, Language) { return std::strerror(error); }

bool put_text(std::FILE* stream, const std::string& text)
{
    HANDLE console = console_of(stream);
    if (!console)
        return std::fputs(text.c_str(), stream) != EOF && std::fflush(stream) == 0;
    std::fflush(stream);
    const int size = static_cast<int>(text.size());
    const int wide_size = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(wide_size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), wide_size);
    DWORD written = 0;
    return WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) != 0;
}

#else

namespace {

// The locale the environment names for `category`, made apart from the
// program's own (which stays "C"); nullptr where it is not installed.
locale_t environment_locale(int mask) { return newlocale(mask, "", static_cast<locale_t>(0)); }

}  // namespace

bool messages_in_utf8()
{
    const locale_t ctype = environment_locale(LC_CTYPE_MASK);
    if (!ctype)
        return false;
    const bool utf8 = std::strcmp(nl_langinfo_l(CODESET, ctype), "UTF-8") == 0;
    freelocale(ctype);
    return utf8;
}

std::string system_error(int error, Language language)
{
    if (language == Language::english)
        return std::strerror(error);
    // The environment's locale for messages where it is Spanish, else a
    // Spanish one that is installed.
    locale_t spanish = nullptr;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) {
            if (std::strncmp(value, "es", 2) == 0)
                spanish = newlocale(LC_MESSAGES_MASK, value, static_cast<locale_t>(0));
            break;
        }
    }
    for (const char* name : {"es_ES.UTF-8", "es_MX.UTF-8", "es_AR.UTF-8", "es_US.UTF-8"})
        if (!spanish)
            spanish = newlocale(LC_MESSAGES_MASK, name, static_cast<locale_t>(0));
    if (!spanish)
        return std::strerror(error);
    // The text in UTF-8, whatever the environment's character set: the
    // messages are made plain where the terminal does not take UTF-8.
    if (const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", spanish))
        spanish = utf8;
    const std::string text = strerror_l(error, spanish);
    freelocale(spanish);
    return text;
}

bool put_text(std::FILE* stream, const std::string& text)
{
    return std::fputs(text.c_str(), stream) != EOF && std::fflush(stream) == 0;
}

#endif
