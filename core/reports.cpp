#include "reports.h"

#include <charconv>
#include <cstdio>
#include <initializer_list>

void text(std::string& out, std::string_view s)
{
    for (char ch : s) {
        if (ch == '\n')
            out += '\r';
        out += ch;
    }
}

void number(std::string& out, double x)
{
    // Enough for every finite double in fixed notation with six decimals.
    char buf[330];
#if VDWCOEX_FLOAT_CHARCONV
    const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, 6);
    out.append(buf, static_cast<size_t>(res.ptr - buf));
#else
    // Where the C++ library lacks it, the C library's printf, which prints
    // the same exact digits.
    out.append(buf, static_cast<size_t>(std::snprintf(buf, sizeof buf, "%f", x)));
#endif
}

std::string fixed_number(double x)
{
    std::string out;
    number(out, x);
    return out;
}

namespace {

void numbers(std::string& out, std::initializer_list<double> xs)
{
    bool first = true;
    for (double x : xs) {
        if (!first)
            out += ' ';
        first = false;
        number(out, x);
    }
}

}  // namespace

void coexistence_preamble(std::string& out, double c)
{
    text(out, "Programa de transicion de fase en fluido de van der Waals");
    text(out, "\n");
    text(out, "\n\n Capac. calorifica cte Cv = cR,  c = ");
    number(out, c);
    text(out, "\n");
    text(out, "\n\nSignificado: Columna 1: T/Tcr, Columna 2: P/Pcr (eq. liqu-gas)");
    text(out, "\n Col 3: v liquido/vcr, Col 4: vgas/vcr (en equilibrio)");
    text(out, "\n Cols 5 y 6 v liquido maximo  y presion (limite estabilidad liquido)");
    text(out, "\n Cols 7 y 8 v gas  y presion (limite estabilidad gas)");
    text(out, "\n Col 9: Delta h *27b/8a = clatente, (multiplicar por 8a/27b para obtenerla en J/mol");
    text(out, "\n\n Temp\t p_vapor\t vliqu\t vgas\t vlmax\t  plmin\t vgmin\t pgmax\t hg-hl ");
}

void property_preamble(std::string& out, double c)
{
    // "\xA2" is the letter o with acute accent in the DOS code pages 437 and 850.
    text(out, "Programa de transicion de fase en fluido de van der Waals");
    text(out, "\n\nSignificado: Columna 1: T/Tcr, Columna 2: P/Pcr");
    text(out, "\n Col 3: v liquido/vcr, Col 4: vgas/vcr");
    text(out, "\n Col 5 entropia liquido/R, Col 6:  entropia gas/R, Col 7:  entalp liq*27b/8a, "
              "Col8 : entalp gas*27b/8a");
    text(out, "\n Col 9: Delta h *27b/8a = clatente, Col 10: T * Delta s =Delta_g-Delta_h");
    text(out, "\n\nPara cada t hay tres lineas: 1a. Para presi\xA2"
              "n de equilibrio liquido-gas (Dg =0)");
    text(out, "\n 2a. Para presi\xA2"
              "n del limite de estabilidad del liquido");
    text(out, "\n 3a. Para presi\xA2"
              "n del limite de estabilidad del gas");
    text(out, "\n\n Capac. calorifica cte Cv = cR,  c = ");
    number(out, c);
    text(out, "\n");
    text(out, "\n T \t\t p  \t vliq \t vgas \t sl \t sg \t\t hl\t hg\t gl \t gg \t ul\t ug");
}

void rule(std::string& out)
{
    text(out, "\n");
    out.append(90, '=');
    text(out, "\n");
}

void coexistence_row(std::string& out, const Coexistence& s, double latent)
{
    text(out, "\n ");
    numbers(out, {s.t, s.p, s.vl, s.vg});
    out += "  ";
    numbers(out, {s.limits.vlmax, s.limits.plmin, s.limits.vgmin, s.limits.pgmax, latent});
}

void property_row(std::string& out, double t, std::string_view state, const PhasePair& pair, const Properties& x)
{
    text(out, "\n ");
    number(out, t);
    out += ' ';
    out += state;
    out += ' ';
    numbers(out, {pair.p, pair.vl, pair.vg, x.sl, x.sg, x.hl, x.hg, x.gl, x.gg, x.ul, x.ug});
}
