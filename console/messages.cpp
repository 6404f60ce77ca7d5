#include "messages.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <cstring>

#include "reports.h"
#include "state.h"
#include "sweep.h"

Language language_from_environment()
{
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return std::strncmp(value, "en", 2) == 0 ? Language::english : Language::spanish;
    }
    return Language::spanish;
}

std::string pick(Language language, std::string spanish, std::string english)
{
    return language == Language::english ? english : spanish;
}

namespace {

// An argument in quotes, with a newline, a tab, a quote, a backslash and any
// byte that is not plain printable ASCII escaped: one line whatever it holds.
std::string quoted(const std::string& text)
{
    std::string shown = "'";
    for (const unsigned char ch : text) {
        if (ch == '\n') {
            shown += "\\n";
        } else if (ch == '\t') {
            shown += "\\t";
        } else if (ch == '\'' || ch == '\\') {
            shown += '\\';
            shown += static_cast<char>(ch);
        } else if (ch < ' ' || ch >= 0x7f) {
            const char digits[] = "0123456789abcdef";
            shown += "\\x";
            shown += digits[ch >> 4];
            shown += digits[ch & 15];
        } else {
            shown += static_cast<char>(ch);
        }
    }
    return shown + "'";
}

// An argument as a message shows it: as it is where every byte is a plain
// printable one, else quoted.
std::string printable(const std::string& text)
{
    bool plain = !text.empty();
    for (const unsigned char ch : text)
        plain = plain && ch > ' ' && ch < 0x7f && ch != '\'' && ch != '\\';
    return plain ? text : quoted(text);
}

// A name as a one-line message shows it: as it is, but quoted where it holds
// a newline or another control character.
std::string one_line(const std::string& text)
{
    for (const unsigned char ch : text)
        if (ch < ' ' || ch == 0x7f)
            return quoted(text);
    return text;
}

}  // namespace

std::string Messages::given(const std::string& option, const std::string& keyword) const
{
    return caller == Caller::python ? keyword : option;
}

std::string Messages::es(const std::string& text) const
{
    if (utf8)
        return text;
    // The letters of Spanish, from UTF-8 to their plain form, ¿ and ¡ left
    // out; cm³ as cm3, °C as C.
    static const char* const letters[][2] = {
        {"á", "a"}, {"é", "e"}, {"í", "i"}, {"ó", "o"}, {"ú", "u"}, {"ü", "u"}, {"ñ", "n"},
        {"Á", "A"}, {"É", "E"}, {"Í", "I"}, {"Ó", "O"}, {"Ú", "U"}, {"Ü", "U"}, {"Ñ", "N"},
        {"¿", ""}, {"¡", ""}, {"³", "3"}, {"°", ""}, {"·", "."}};
    std::string plain;
    for (size_t i = 0; i < text.size();) {
        bool found = false;
        for (const auto& letter : letters) {
            const size_t size = std::strlen(letter[0]);
            if (text.compare(i, size, letter[0]) == 0) {
                plain += letter[1];
                i += size;
                found = true;
                break;
            }
        }
        if (!found)
            plain += text[i++];
    }
    return plain;
}

std::string Messages::help() const
{
    return pick(language, es(
        "Uso: vdwcoex [OPCIÓN]... [C]\n"
        "Tabula la transición líquido-gas de un fluido de van der Waals en variables\n"
        "reducidas y escribe vdw_coex.dat y clatente.dat en la carpeta actual.\n"
        "Sin C, pide la constante c (Cv = cR) y la lee de la entrada estándar.\n"
        "\n"
        "  C, -c, --c C           toma c de la orden, sin preguntar ni leer la entrada\n"
        "  -o, --output-dir DIR   escribe los ficheros en la carpeta DIR (debe existir)\n"
        "      --csv              escribe también vdw_coex.csv y clatente.csv\n"
        "      --xlsx             escribe también vdwcoex.xlsx, un libro con las dos tablas\n"
        "      --substance NOMBRE una sustancia real (argon, N2, water...): con c la suya\n"
        "                         y también vdw_coex_si.csv y clatente_si.csv, en unidades SI\n"
        "      --list-substances  muestra las sustancias, sus constantes y fuentes, y termina\n"
        "      --tc K --pc PA     un fluido propio: temperatura y presión críticas\n"
        "      --at-temperature K el estado de coexistencia a esa temperatura (sin ficheros)\n"
        "      --at-pressure PA   el estado de coexistencia a esa presión de vapor\n"
        "      --against-nature   con --substance: la sustancia frente al modelo (Zc, omega,\n"
        "                         Tb, Trouton) y nature_CLAVE.csv, modelo y medida\n"
        "      --eos EC           vdw (por omisión), rk, srk o pr: la ecuación de los estados\n"
        "                         y de --against-nature; con --csv, --xlsx o un fluido, sus\n"
        "                         tablas junto a las de van der Waals (rk_coex.csv...)\n"
        "      --omega W          con --tc, --pc y --eos srk o pr: el factor acéntrico\n"
        "  -q, --quiet            sin pregunta ni traza en la salida estándar\n"
        "  -h, --help             muestra esta ayuda y termina\n"
        "  -V, --version          muestra la versión y termina\n"
        "\n"
        "C, el valor de c, ha de ser un número de principio a fin, con punto decimal:\n"
        "2.5, 1e3 (1,5 se rechaza; como respuesta a la pregunta se leería como 1).\n"
        "Estado de salida: 0 si todo fue bien, 1 si un fichero no se pudo escribir\n"
        "(los anteriores quedan como estaban), 2 si la orden es incorrecta.\n"
        "Manual: man vdwcoex\n"),
        "Usage: vdwcoex [OPTION]... [C]\n"
        "Tabulates the liquid-gas transition of a van der Waals fluid in reduced\n"
        "variables and writes vdw_coex.dat and clatente.dat in the current folder.\n"
        "Without C, it asks for the constant c (Cv = cR) and reads it from standard input.\n"
        "\n"
        "  C, -c, --c C           take c from the command line; no prompt, no input read\n"
        "  -o, --output-dir DIR   write the files into the folder DIR (which must exist)\n"
        "      --csv              also write vdw_coex.csv and clatente.csv\n"
        "      --xlsx             also write vdwcoex.xlsx, a workbook with both tables\n"
        "      --substance NAME   a real substance (argon, N2, water...): with its c,\n"
        "                         and also vdw_coex_si.csv and clatente_si.csv, in SI units\n"
        "      --list-substances  show the substances, their constants and sources, and exit\n"
        "      --tc K --pc PA     a fluid of one's own: critical temperature and pressure\n"
        "      --at-temperature K the coexistence state at that temperature (no files)\n"
        "      --at-pressure PA   the coexistence state at that vapour pressure\n"
        "      --against-nature   with --substance: the substance against the model (Zc,\n"
        "                         omega, Tb, Trouton) and nature_KEY.csv, model and measured\n"
        "      --eos EQ           vdw (the default), rk, srk or pr: the equation of the states\n"
        "                         and of --against-nature; with --csv, --xlsx or a fluid, its\n"
        "                         tables beside the van der Waals ones (rk_coex.csv...)\n"
        "      --omega W          with --tc, --pc and --eos srk or pr: the acentric factor\n"
        "  -q, --quiet            no prompt and no trace on standard output\n"
        "  -h, --help             show this help and exit\n"
        "  -V, --version          show the version and exit\n"
        "\n"
        "C, the value of c, must be a number as a whole, with a decimal point: 2.5,\n"
        "1e3 (1,5 is refused; as the reply to the prompt it would be read as 1).\n"
        "Exit status: 0 on success, 1 if a file could not be written (the earlier\n"
        "files are left as they were), 2 if the command line is wrong.\n"
        "Manual: man vdwcoex\n");
}

std::string Messages::version() const
{
    return "vdwcoex " VDWCOEX_VERSION "\n";
}

std::string Messages::unknown_option(const std::string& option) const
{
    return pick(language, es("vdwcoex: opción desconocida: ") + printable(option),
                "vdwcoex: unknown option: " + printable(option));
}

std::string Messages::missing_value(const std::string& option) const
{
    return pick(language, "vdwcoex: falta el valor de " + option,
                "vdwcoex: " + option + " needs a value");
}

std::string Messages::unexpected_value(const std::string& option) const
{
    return pick(language, "vdwcoex: " + option + " no lleva valor",
                "vdwcoex: " + option + " takes no value");
}

std::string Messages::not_a_number(const std::string& argument) const
{
    return pick(language, "vdwcoex: " + quoted(argument) + es(" no es un número"),
                "vdwcoex: " + quoted(argument) + " is not a number");
}

std::string Messages::empty_folder(const std::string& option) const
{
    return pick(language, "vdwcoex: " + option + es(" necesita el nombre de una carpeta, no un texto vacío"),
                "vdwcoex: " + option + " needs a folder's name, not an empty one");
}

std::string Messages::c_given_twice() const
{
    return pick(language, es("vdwcoex: c se da más de una vez"), "vdwcoex: c is given more than once");
}

std::string Messages::no_folder(const std::string& folder, const std::string& reason) const
{
    return pick(language, "vdwcoex: no hay carpeta " + printable(folder) + ": " + reason,
                "vdwcoex: no folder " + printable(folder) + ": " + reason);
}

std::string Messages::hint() const
{
    return pick(language, es("Pruebe 'vdwcoex --help' para más información."),
                "Try 'vdwcoex --help' for more information.");
}

std::string Messages::no_workbook(const std::string& why) const
{
    const std::string xlsx = given("--xlsx", "xlsx=True");
    if (!why.empty())
        return pick(language, es("vdwcoex: " + xlsx + " no está disponible: no se puede cargar libxlsxwriter (") + why + ")",
                    "vdwcoex: " + xlsx + " is not available: libxlsxwriter cannot be loaded (" + why + ")");
    return pick(language, es("vdwcoex: " + xlsx + " no está disponible: este vdwcoex se compiló sin libxlsxwriter"),
                "vdwcoex: " + xlsx + " is not available: this vdwcoex was built without libxlsxwriter");
}

std::string Messages::decimal_comma(const std::string& shown) const
{
    return pick(language,
        es("vdwcoex: aviso: el número leído acaba en la coma: c = " + shown +
           "; el separador decimal es el punto"),
        "vdwcoex: warning: the number read ends at the comma: c = " + shown + "; the decimal separator is the point");
}

std::string Messages::odd_c(const std::string& shown, bool finite) const
{
    if (!finite)
        return pick(language,
            "vdwcoex: aviso: c = " + shown + es(" no es un número finito: presiones y volúmenes "
            "valen, pero entropías, entalpías, energías y calor latente no son números"),
            "vdwcoex: warning: c = " + shown + " is not a finite number: the pressures and "
            "volumes hold, but the entropies, enthalpies, energies and latent heat are not numbers");
    return pick(language,
        "vdwcoex: aviso: c = " + shown + es(" no es positivo (Cv = cR > 0 en un fluido real): "
        "presiones, volúmenes y calor latente valen, pero entropías y energías no son físicas"),
        "vdwcoex: warning: c = " + shown + " is not positive (Cv = cR > 0 in a real fluid): "
        "the pressures, volumes and latent heat hold, but the entropies and energies are not physical");
}

std::string Messages::large_c(const std::string& shown) const
{
    return pick(language,
        "vdwcoex: aviso: c = " + shown + es(" es tan grande que el calor latente, diferencia de dos "
        "números del orden de c, puede perder su última cifra; presiones y volúmenes valen"),
        "vdwcoex: warning: c = " + shown + " is so large that the latent heat, a difference of two "
        "numbers as large as c, can lose its last digit; the pressures and volumes hold");
}

std::string Messages::c_warning(double c) const
{
    const CKind kind = kind_of_c(c);
    if (kind == CKind::plain)
        return "";
    std::string shown;
    number(shown, c);
    return kind == CKind::too_large ? large_c(shown) : odd_c(shown, kind == CKind::not_positive);
}

std::string Messages::cannot_create(const std::string& file, const std::string& reason) const
{
    return pick(language, "vdwcoex: no se puede crear " + one_line(file) + ": " + reason,
                "vdwcoex: cannot create " + one_line(file) + ": " + reason);
}

std::string Messages::cannot_write(const std::string& file, const std::string& reason) const
{
    return pick(language, "vdwcoex: no se puede escribir " + one_line(file) + ": " + reason,
                "vdwcoex: cannot write " + one_line(file) + ": " + reason);
}

std::string Messages::no_scratch(const std::string& file, const std::string& folder, const std::string& reason) const
{
    return pick(language,
        es("vdwcoex: no se puede escribir " + one_line(file) + ": la carpeta temporal " + one_line(folder) +
           " ($TMPDIR) no admite una carpeta de trabajo (" + reason + ")"),
        "vdwcoex: cannot write " + one_line(file) + ": the temporary folder " + one_line(folder) +
            " ($TMPDIR) takes no scratch folder (" + reason + ")");
}

std::string Messages::cannot_write_console(const std::string& reason) const
{
    return pick(language, es("vdwcoex: no se puede escribir en la salida estándar: ") + reason,
                "vdwcoex: cannot write standard output: " + reason);
}

std::string Messages::folder_refuses(const std::string& file, const std::string& folder,
                                    const std::string& reason) const
{
    return pick(language,
        "vdwcoex: no se puede crear " + one_line(file) + ": la carpeta " + one_line(folder) +
            " no admite ficheros nuevos (" + reason + ")",
        "vdwcoex: cannot create " + one_line(file) + ": the folder " + one_line(folder) + " takes no new files (" +
            reason + ")");
}

std::string Messages::cannot_lock(const std::string& folder, const std::string& reason) const
{
    return pick(language,
        es("vdwcoex: no se puede bloquear la carpeta " + one_line(folder) + " frente a otras ejecuciones (" + reason +
           "): no se escribe nada"),
        "vdwcoex: cannot lock the folder " + one_line(folder) + " against other runs (" + reason + "): nothing is written");
}

std::string Messages::waiting() const
{
    return pick(language, es("vdwcoex: otra ejecución está escribiendo en esta carpeta; esperando a que termine"),
                "vdwcoex: another run is writing in this folder; waiting for it to finish");
}

std::string Messages::one_file_twice(const std::string& first, const std::string& second) const
{
    return pick(language,
                es("vdwcoex: " + one_line(first) + " y " + one_line(second) + " son el mismo fichero: no se escribe ninguno"),
                "vdwcoex: " + one_line(first) + " and " + one_line(second) + " are the same file: neither is written");
}

std::string Messages::kept_as(const std::string& names) const
{
    return pick(language, "; el texto anterior queda en " + one_line(names),
                "; the earlier text is kept in " + one_line(names));
}

std::string Messages::mixed(const std::string& fresh, const std::string& kept) const
{
    return pick(language, "; nuevos: " + one_line(fresh) + "; como antes: " + one_line(kept),
                "; new: " + one_line(fresh) + "; as before: " + one_line(kept));
}

const char* Messages::out_of_memory() const
{
    return language == Language::english ? "vdwcoex: out of memory" : "vdwcoex: memoria agotada";
}

const char* Messages::out_of_memory_after_writing() const
{
    return language == Language::english ? "vdwcoex: out of memory; every file had been written"
                                         : "vdwcoex: memoria agotada; todos los ficheros estaban ya escritos";
}

std::string Messages::written(const std::vector<std::string>& files, const std::string& folder) const
{
    std::string list;
    for (size_t k = 0; k < files.size(); ++k)
        list += (k == 0 ? "" : k + 1 < files.size() ? ", " : pick(language, " y ", " and ")) + files[k];
    return pick(language, "vdwcoex: escritos " + list + " en " + one_line(folder),
                "vdwcoex: wrote " + list + " in " + one_line(folder));
}

std::string Messages::earlier_left(const std::string& backup, const std::string& report, long long bytes,
                                   const std::string& when) const
{
    const std::string what = " (" + std::to_string(bytes) + " bytes, " + when + ") ";
    return pick(language,
        es("vdwcoex: " + one_line(backup) + what + "puede ser un texto anterior de " + one_line(report) +
           " que dejó una ejecución interrumpida; se conserva"),
        "vdwcoex: " + one_line(backup) + what + "may be an earlier text of " + one_line(report) +
            " left by a run that was ended; it is kept");
}

std::string significant(double x, int digits)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.*g", digits, x);
    return text;
}

std::string with_decimals(double x, int places)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", places, x);
    return text;
}

std::string Messages::source_of(const Substance& fluid) const
{
    return pick(language, fluid.source_es.empty() ? fluid.source : fluid.source_es, fluid.source);
}

std::string Messages::name_of(const Substance& fluid) const
{
    const std::string name = pick(language, fluid.name_es, fluid.name_en);
    return fluid.formula.empty() ? name : name + " (" + fluid.formula + ")";
}

std::string Messages::unknown_substance(const std::string& name) const
{
    const std::string list = given("vdwcoex --list-substances", "vdwcoex.substances()");
    return pick(language, "vdwcoex: no hay ninguna sustancia " + quoted(name) + es(" en la tabla (" + list + " las muestra)"),
                "vdwcoex: no substance " + quoted(name) + " in the table (" + list + " shows them)");
}

std::string Messages::fluid_twice() const
{
    const std::string substance = given("--substance", "substance="), constants = given("--tc/--pc", "Tc=/pc=");
    return pick(language, "vdwcoex: " + substance + " y " + constants + " no van juntos: o una sustancia o sus constantes",
                "vdwcoex: " + substance + " and " + constants + " do not go together: a substance or its constants");
}

std::string Messages::tc_pc_together() const
{
    const std::string tc = given("--tc", "Tc="), pc = given("--pc", "pc=");
    return pick(language, es("vdwcoex: " + tc + " y " + pc + " van juntos: las dos constantes críticas del fluido"),
                "vdwcoex: " + tc + " and " + pc + " go together: both critical constants of the fluid");
}

std::string Messages::not_positive(const std::string& option, const std::string& value) const
{
    // A keyword's value as Python gives it, an option's as the console does.
    const std::string shown = option + given(" ", " = ") + printable(value);
    return pick(language, "vdwcoex: " + shown + es(" no es un número positivo"),
                "vdwcoex: " + shown + " is not a positive number");
}

std::string Messages::needs_substance() const
{
    return pick(language, es("vdwcoex: --against-nature necesita una sustancia de la tabla: --substance NOMBRE"),
                "vdwcoex: --against-nature needs a substance of the table: --substance NAME");
}

std::string Messages::needs_fluid(const std::string& option) const
{
    if (caller == Caller::python)
        return pick(language, "vdwcoex: " + option + " necesita un fluido: substance=, o Tc= (K) y pc= (Pa)",
                    "vdwcoex: " + option + " needs a fluid: substance=, or Tc= (K) and pc= (Pa)");
    return pick(language, es("vdwcoex: " + option + " necesita un fluido: --substance NOMBRE, o --tc K y --pc Pa"),
                "vdwcoex: " + option + " needs a fluid: --substance NAME, or --tc K and --pc Pa");
}

std::string Messages::unknown_eos(const std::string& key) const
{
    const std::string eos = given("--eos", "eos=");
    return pick(language, es("vdwcoex: no hay ninguna ecuación ") + quoted(key) + ": " + eos + " vdw, rk, srk o pr",
                "vdwcoex: no equation " + quoted(key) + ": " + eos + " vdw, rk, srk or pr");
}

std::string Messages::eos_needs_omega(const std::string& key) const
{
    const std::string eos = given("--eos ", "eos=") + key;
    if (caller == Caller::python)
        return pick(language, es("vdwcoex: " + eos + " necesita el factor acéntrico del fluido: substance=, o Tc=, pc= y omega="),
                    "vdwcoex: " + eos + " needs the fluid's acentric factor: substance=, or Tc=, pc= and omega=");
    return pick(language, es("vdwcoex: " + eos + " necesita el factor acéntrico del fluido: --substance NOMBRE, o --tc K, --pc Pa y --omega W"),
                "vdwcoex: " + eos + " needs the fluid's acentric factor: --substance NAME, or --tc K, --pc Pa and --omega W");
}

std::string Messages::eos_needs_fluid(const std::string& key) const
{
    const std::string eos = given("--eos ", "eos=") + key;
    if (caller == Caller::python)
        return pick(language, es("vdwcoex: " + eos + " necesita un fluido: substance=, o Tc= (K) y pc= (Pa)"),
                    "vdwcoex: " + eos + " needs a fluid: substance=, or Tc= (K) and pc= (Pa)");
    return pick(language, es("vdwcoex: " + eos + " necesita un fluido: --substance NOMBRE, o --tc K y --pc Pa"),
                "vdwcoex: " + eos + " needs a fluid: --substance NAME, or --tc K and --pc Pa");
}

std::string Messages::eos_not_for_tables(const std::string& key) const
{
    return pick(language,
        es("vdwcoex: --eos " + key + " escribe sus tablas con --csv, --xlsx o un fluido (--substance, o --tc y --pc), o responde a --at-temperature, --at-pressure y --against-nature"),
        "vdwcoex: --eos " + key + " writes its tables with --csv, --xlsx or a fluid (--substance, or --tc and --pc), or answers --at-temperature, --at-pressure and --against-nature");
}

std::string Messages::omega_misplaced() const
{
    const std::string omega = given("--omega", "omega="), constants = given("--tc/--pc", "Tc=/pc=");
    const std::string eos = given("--eos", "eos=");
    return pick(language,
        es("vdwcoex: " + omega + " va con " + constants + " y " + eos + " srk o pr (una sustancia de la tabla tiene la suya)"),
        "vdwcoex: " + omega + " goes with " + constants + " and " + eos + " srk or pr (a substance of the table has its own)");
}

std::string Messages::omega_range(const std::string& typed) const
{
    const std::string shown = given("--omega ", "omega = ") + printable(typed);
    return pick(language, es("vdwcoex: " + shown + " no es un factor acéntrico entre -1 y 2"),
                "vdwcoex: " + shown + " is not an acentric factor between -1 and 2");
}

std::string Messages::at_both() const
{
    return pick(language, "vdwcoex: --at-temperature y --at-pressure no van juntos",
                "vdwcoex: --at-temperature and --at-pressure do not go together");
}

std::string Messages::temperature_range(const std::string& temperature, const Substance& fluid) const
{
    return temperature_range(temperature, fluid, lowest_state_t);
}

std::string Messages::temperature_range(const std::string& temperature, const Substance& fluid, double lowest_t) const
{
    const std::string low = significant(lowest_t * fluid.tc), high = si_number(fluid.tc);
    const std::string lowest = significant(lowest_t, 3);
    return pick(language,
        es("vdwcoex: T = " + printable(temperature) + " K está fuera del alcance: en " + name_of(fluid) +
           " el modelo da líquido y gas en coexistencia entre " + low + " K (" + lowest + " Tc, hasta donde llega su " +
           "búsqueda) y Tc = " + high + " K (sin incluirla)"),
        "vdwcoex: T = " + printable(temperature) + " K is out of reach: in " + name_of(fluid) +
            " the model has liquid and gas coexisting between " + low + " K (" + lowest + " Tc, as far down as its " +
            "search reaches) and Tc = " + high + " K, not included");
}

std::string Messages::pressure_range(const std::string& pressure, const Substance& fluid, double lowest) const
{
    const std::string low = significant(lowest * fluid.pc), high = si_number(fluid.pc);
    return pick(language,
        es("vdwcoex: p = " + printable(pressure) + " Pa está fuera del alcance: en " + name_of(fluid) +
           " la presión de vapor del modelo va de " + low + " Pa (hasta donde llega su búsqueda) a pc = " + high +
           " Pa (sin incluirla)"),
        "vdwcoex: p = " + printable(pressure) + " Pa is out of reach: in " + name_of(fluid) +
            " the model's vapour pressure runs from " + low + " Pa (as far down as its search reaches) to pc = " +
            high + " Pa, not included");
}

std::string Messages::reduced_temperature_range(const std::string& t) const
{
    const std::string lowest = significant(lowest_state_t, 3);
    return pick(language,
        es("vdwcoex: t = " + printable(t) + " está fuera del alcance: el modelo da líquido y gas en coexistencia entre t = " +
           lowest + " (hasta donde llega su búsqueda) y t = 1 (sin incluirlo)"),
        "vdwcoex: t = " + printable(t) + " is out of reach: the model has liquid and gas coexisting between t = " + lowest +
            " (as far down as its search reaches) and t = 1, not included");
}

std::string Messages::reduced_pressure_range(const std::string& p, double lowest) const
{
    return pick(language,
        es("vdwcoex: p = " + printable(p) + " está fuera del alcance: la presión de vapor del modelo va de p = " +
           significant(lowest) + " (hasta donde llega su búsqueda) a p = 1 (sin incluirlo)"),
        "vdwcoex: p = " + printable(p) + " is out of reach: the model's vapour pressure runs from p = " + significant(lowest) +
            " (as far down as its search reaches) to p = 1, not included");
}

std::string Messages::trial_range(const std::string& p, double at_t, double plmin, double pgmax) const
{
    const std::string low = significant(plmin > 0 ? plmin : 0), high = significant(pgmax);
    return pick(language,
        es("vdwcoex: una línea a p = " + printable(p) + " no corta tres veces la isoterma t = " + significant(at_t) +
           ": p debe estar entre " + low + " y " + high + " (las presiones de los límites de estabilidad) y ser positiva"),
        "vdwcoex: a line at p = " + printable(p) + " does not cut the isotherm t = " + significant(at_t) +
            " three times: p must lie between " + low + " and " + high + " (the stability limits' pressures) and be positive");
}

std::string Messages::substance_c(const Substance& fluid) const
{
    return pick(language,
        es("vdwcoex: c = " + significant(fluid.c) + " para " + name_of(fluid) + ", el Cv = cR de su gas ideal; --c da otro"),
        "vdwcoex: c = " + significant(fluid.c) + " for " + name_of(fluid) + ", the Cv = cR of its ideal gas; --c gives another");
}
