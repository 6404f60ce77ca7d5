// vdwcoex: liquid-gas coexistence of a van der Waals fluid in reduced
// variables. Asks for c (Cv = cR) and writes "vdw_coex.dat" and "clatente.dat"
// in the current directory.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "reply.h"
#include "sweep.h"

namespace {

const char* const coexistence_file = "vdw_coex.dat";
const char* const property_file = "clatente.dat";

int fail(const char* what, const char* file, int error)
{
    std::fprintf(stderr, "vdwcoex: cannot %s %s: %s\n", what, file, std::strerror(error));
    return 1;
}

// Writes data to f and closes it; 0 on success, otherwise errno of the failure.
int write_and_close(std::FILE* f, const std::string& data)
{
    errno = 0;
    const bool written = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    const int write_error = errno;
    if (std::fclose(f) != 0 && written)
        return errno ? errno : EIO;
    if (!written)
        return write_error ? write_error : EIO;
    return 0;
}

}  // namespace

int main()
{
    double c = 1.5;
    std::fputs("\n Este programa calcula vl,vg sl,sg, hl,hg", stdout);
    std::fputs("y calor latente en un fluido ideal de van der Waals", stdout);
    std::fputs("\n Teclear la cte c: ", stdout);
    std::fflush(stdout);
    // When nothing can be read as a number, c stays 1.5.
    if (const auto reply = read_number(stdin))
        c = *reply;

    // Binary streams: the reports carry their own CR LF line breaks.
    std::FILE* coexistence = std::fopen(coexistence_file, "wb");
    if (!coexistence)
        return fail("create", coexistence_file, errno);
    std::FILE* properties = std::fopen(property_file, "wb");
    if (!properties) {
        const int error = errno;
        std::fclose(coexistence);
        return fail("create", property_file, error);
    }

    Output out;
    run(c, out);
    std::fputs(out.console.c_str(), stdout);
    std::fflush(stdout);

    const int coexistence_error = write_and_close(coexistence, out.coexistence);
    const int property_error = write_and_close(properties, out.properties);
    if (coexistence_error)
        return fail("write", coexistence_file, coexistence_error);
    if (property_error)
        return fail("write", property_file, property_error);
    return 0;
}
