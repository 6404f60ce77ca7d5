#!/usr/bin/env bash
# The command line of the built program, run in scratch folders.
#
#   options.sh CASE PROGRAM [MANPAGE]
set -u
case_name=$1
program=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LANGUAGE='' LC_ALL='' LC_MESSAGES='' LANG=C   # Spanish messages unless a case says otherwise

fail() { echo "FAIL ($case_name): $*" >&2; exit 1; }

# Reports of the plain interactive run for a reply, to compare with.
reference() {
  [ -d "$work/ref-$1" ] && return
  mkdir "$work/ref-$1" && (cd "$work/ref-$1" && printf '%s' "$1" | "$program" > console.out 2> /dev/null) ||
    fail "the plain run with '$1' failed"
}
same_reports() { # folder reply
  reference "$2"
  for f in vdw_coex.dat clatente.dat; do
    cmp -s "$1/$f" "$work/ref-$2/$f" || fail "$1/$f is not the report for the reply '$2'"
  done
}
# Runs the program in a fresh folder holding earlier reports, with the reply
# 9 waiting on standard input; $status, out.txt and err.txt tell the rest.
run() {
  rm -rf "$work/run" && mkdir "$work/run" && cd "$work/run" || exit 1
  printf 'earlier\r\n' > vdw_coex.dat; cp vdw_coex.dat clatente.dat; touch -d 2001-01-01 *.dat
  echo 9 > ../reply
  "$program" "$@" < ../reply > ../out.txt 2> ../err.txt; status=$?
}
untouched() { # nothing in the folder but the earlier reports, as they were
  [ "$(ls -A | tr '\n' ' ')" == "clatente.dat vdw_coex.dat " ] || fail "$*: left $(ls -A)"
  for f in *.dat; do
    [ "$(cat "$f")" == $'earlier\r' ] && [ "$(stat -c %Y "$f")" == "$(date -d 2001-01-01 +%s)" ] ||
      fail "$*: $f was touched"
  done
}

case "$case_name" in
help)  # help and version read nothing and touch nothing
  for args in --help -h --version -V --vers; do
    run $args
    [ "$status" -eq 0 ] && [ ! -s ../err.txt ] || fail "$args: status $status"
    untouched "$args"
  done
  run --help; grep -q -- '--output-dir' ../out.txt || fail "--help does not list --output-dir"
  # What it says of C holds: a comma is refused on the command line.
  grep -q '1,5 se rechaza' ../out.txt || fail "--help does not say 1,5 is refused"
  run 1,5; [ "$status" -eq 2 ] || fail "vdwcoex 1,5: status $status"
  run -V; [ "$(cat ../out.txt)" == "vdwcoex $3" ] || fail "--version says $(cat ../out.txt)" ;;

help-matches-manual)  # every option of --help is in the manual page, and back
  options() { grep -oE -- '(^|[ ,])-(-[a-z][a-z-]*|[a-zA-Z])\b' | tr -d ' ,' | sort -u; }
  help=$("$program" --help | options)
  manual=$(sed 's/\\-/-/g; s/\\f[BIR]//g' "$3" | options)
  [ -n "$help" ] && [ "$help" == "$manual" ] || fail "--help lists $(echo $help), the manual $(echo $manual)" ;;

c-argument)  # c from the command line: same reports as the reply, stdin not read
  for args in "2.5" "-c 2.5" "--c=2.5" "-c2.5" "--c 2.5" "-q -- 2.5" "0x1.4p1"; do
    run $args
    [ "$status" -eq 0 ] || fail "$args: status $status"
    same_reports . 2.5
    grep -q 'Teclear' ../out.txt && fail "$args: the prompt was shown"
    grep -q 'proceso para t = 0.95' ../out.txt || [[ $args == -q* ]] || fail "$args: no trace"
  done
  run -- -1; same_reports . -1 ;;

usage-errors)  # a wrong command line: status 2, two lines, nothing touched
  for args in "abc" "2.5kg" "--nope" "-x" "-c" "-c abc" "2.5 3" "-c 1 2" "--csv=yes" \
              "-o" "-o missing" "-o vdw_coex.dat" "--c" "-"; do
    run $args
    [ "$status" -eq 2 ] && [ "$(wc -l < ../err.txt)" -eq 2 ] && [ ! -s ../out.txt ] &&
      grep -q -- "--help" ../err.txt || fail "'$args': status $status: $(cat ../err.txt)"
    untouched "'$args'"
  done
  # A newline or an odd byte in an argument stays inside the one line that
  # names it.
  for arg in $'--no\npe' $'1\n2' $'-o\x01'; do
    run "$arg"
    [ "$status" -eq 2 ] && [ "$(wc -l < ../err.txt)" -eq 2 ] || fail "'$arg': status $status: $(cat -A ../err.txt)"
  done
  # An empty folder or substance name, which a word-split loop cannot pass.
  for args in "-o|" "--output-dir=|2.5" "--substance|" "--substance=|2.5"; do
    IFS='|' read -r -a split <<< "$args"
    [ "${#split[@]}" -eq 1 ] && split+=("")
    run "${split[@]}"
    [ "$status" -eq 2 ] && [ "$(wc -l < ../err.txt)" -eq 2 ] || fail "'$args': status $status: $(cat ../err.txt)"
    untouched "'$args'"
  done
  run --nope; grep -q 'opcion desconocida: --nope' ../err.txt || fail "Spanish: $(cat ../err.txt)"
  LANG=en_GB.UTF-8 run --nope
  grep -q 'unknown option: --nope' ../err.txt || fail "English: $(cat ../err.txt)"
  LANGUAGE=es LANG=en_US.UTF-8 run --nope
  grep -q 'opci.*n desconocida' ../err.txt || fail "LANGUAGE=es: $(cat ../err.txt)" ;;

output-dir-csv-quiet)  # -o, --csv and -q together: all four files there, nothing said
  run -qo out --csv 2.5
  [ "$status" -eq 2 ] || fail "a missing folder: status $status"
  mkdir out
  "$program" -qo out --csv 2.5 > ../out.txt 2> ../err.txt || fail "status $?"
  [ ! -s ../out.txt ] && [ ! -s ../err.txt ] || fail "-q printed: $(cat ../out.txt ../err.txt)"
  same_reports out 2.5
  [ "$(ls out | tr '\n' ' ')" == "clatente.csv clatente.dat vdw_coex.csv vdw_coex.dat " ] ||
    fail "out holds $(ls out)"
  rm -r out; untouched "-o out" ;;

odd-c)  # c that is not a positive finite number, or so large that the latent
        # heat can lose a digit (from 1e6 up): one warning, the same run
  for pair in "nan|no es un numero finito" "0|no es positivo" "-1|no es positivo" "inf|no es un numero finito" \
              "1e8|tan grande" "2e6|tan grande"; do
    c=${pair%%|*}
    run "$c"
    [ "$status" -eq 0 ] && [ "$(wc -l < ../err.txt)" -eq 1 ] && grep -q "aviso: c = .*${pair#*|}" ../err.txt ||
      fail "c = $c: status $status: $(cat ../err.txt)"
    same_reports . "$c"
  done
  for c in 1.5 1e6; do
    run "$c"; [ ! -s ../err.txt ] || fail "c = $c warned: $(cat ../err.txt)"
  done
  # A reply with a decimal comma is read as the C library reads it, up to
  # the comma, and said on standard error alone: the dialogue and the
  # reports are those of the reply 1.
  reference 1
  for reply in '1,5' '1,x'; do
    rm -rf "$work/run" && mkdir "$work/run" && cd "$work/run" || exit 1
    printf '%s\n' "$reply" | "$program" > ../out.txt 2> ../err.txt || fail "reply $reply: status $?"
    cmp -s ../out.txt "$work/ref-1/console.out" || fail "reply $reply: the dialogue is not that of the reply 1"
    same_reports . 1
  done
  [ ! -s ../err.txt ] || fail "reply 1,x warned: $(cat ../err.txt)"
  printf '1,5\n' | "$program" -q > /dev/null 2> ../err.txt
  [ "$(wc -l < ../err.txt)" -eq 1 ] && grep -q 'aviso: el n.mero le.do acaba en la coma: c = 1.000000; el separador decimal es el punto$' ../err.txt ||
    fail "reply 1,5: $(cat ../err.txt)" ;;

xlsx)  # --xlsx: the workbook beside the reports, or, in a build without
       # libxlsxwriter, a refusal that touches nothing
  run --xlsx -q 2.5
  if [ "$3" == available ]; then
    [ "$status" -eq 0 ] && [ ! -s ../err.txt ] || fail "status $status: $(cat ../err.txt)"
    same_reports . 2.5
    [ "$(head -c 2 vdwcoex.xlsx)" == PK ] || fail "vdwcoex.xlsx is not a workbook"
    # Another equation's tables as sheets after the van der Waals ones.
    run --eos rk --xlsx -q 2.5
    same_reports . 2.5
    sheets=$(python3 -c 'import re, sys, zipfile
print(" ".join(re.findall(r"<sheet name=\"([^\"]*)\"", zipfile.ZipFile(sys.argv[1]).read("xl/workbook.xml").decode())))' vdwcoex.xlsx)
    [ "$sheets" == "vdw_coex clatente rk_coex rk_clatente about" ] || fail "--eos rk --xlsx: sheets $sheets"
  else
    [ "$status" -eq 2 ] && [ "$(wc -l < ../err.txt)" -eq 1 ] && grep -q 'xlsx no est.* disponible' ../err.txt ||
      fail "status $status: $(cat ../err.txt)"
    untouched "--xlsx"
  fi ;;

spanish)  # accents where the terminal takes UTF-8, plain letters elsewhere;
          # the system's reasons in Spanish too; the dialogue as it was
  locales=$(locale -a)
  grep -ix 'es_ES.utf-\?8' <<< "$locales" > /dev/null || { echo "no es_ES.UTF-8 locale"; exit 77; }
  LANG=es_ES.UTF-8 run --nope
  grep -q 'opción desconocida: --nope' ../err.txt && grep -q 'más información' ../err.txt ||
    fail "es_ES.UTF-8: $(cat ../err.txt)"
  LANG=es_ES.UTF-8 run --help
  grep -q 'muestra la versión' ../out.txt || fail "es_ES.UTF-8 --help: $(head -3 ../out.txt)"
  for lang in C es_ES.ISO-8859-1; do
    LANG=$lang run --help; cat ../out.txt > ../all.txt
    LANG=$lang run -o missing; cat ../err.txt >> ../all.txt
    LANG=$lang run --nope; cat ../err.txt >> ../all.txt
    LC_ALL=C grep -q '[^ -~]' ../all.txt && fail "LANG=$lang: a byte that is not ASCII: $(LC_ALL=C grep '[^ -~]' ../all.txt)"
    grep -q 'opcion desconocida' ../all.txt && grep -q 'muestra la version' ../all.txt || fail "LANG=$lang: $(cat ../all.txt)"
  done
  for lang in C es_ES.UTF-8; do
    LANG=$lang run -o missing
    grep -q 'no hay carpeta missing: No existe el fichero o el directorio' ../err.txt || fail "LANG=$lang: $(cat ../err.txt)"
  done
  LANG=en_GB.UTF-8 run -o missing
  grep -q 'no folder missing: No such file or directory' ../err.txt || fail "English: $(cat ../err.txt)"
  # The prompt, the trace and the reports are the same bytes in any locale.
  LANG=es_ES.UTF-8 run
  reference 9
  cmp -s ../out.txt "$work/ref-9/console.out" || fail "the dialogue changed in es_ES.UTF-8"
  same_reports . 9 ;;

substances)  # real fluids: the list, SI tables beside the same reports, the
             # state at a temperature or pressure, and usage errors that touch nothing
  run --list-substances
  [ "$status" -eq 0 ] || fail "--list-substances: status $status"
  for key in argon neon nitrogen oxygen methane carbon-dioxide water ammonia; do
    grep -q "^$key " ../out.txt || fail "--list-substances does not list $key"
  done
  # The model's Tb is where the model boils at the measured point's pressure,
  # as --at-pressure says.
  listed=$(cat ../out.txt)
  for key in argon water carbon-dioxide; do
    tb=$(awk -v key="$key" '$1 == key { print $9 }' <<< "$listed")
    p=$(awk -v key="$key" '$1 == key { sub(",", "", $11); print $11 }' <<< "$listed")
    boils=$("$program" --substance "$key" --at-pressure "$p" | sed -n 's/^  T  = \([0-9.]*\) K.*/\1/p')
    [ -n "$boils" ] && [ "$tb" == "$(LC_ALL=C printf '%.2f' "$boils")" ] ||
      fail "$key: the model's Tb listed is $tb, the model boils at $p Pa at $boils K"
  done
  run --substance argon --csv
  [ "$status" -eq 0 ] && grep -q 'c = 1.5 para arg' ../err.txt || fail "argon: status $status: $(cat ../err.txt)"
  [ ! -s ../out.txt ] || grep -q 'Teclear' ../out.txt && fail "argon: c was asked for"
  same_reports . 1.5
  python3 "$(dirname "$0")/check_si.py" . || fail "argon: the SI tables"
  run --substance N2 -c 2.5 -q
  [ "$status" -eq 0 ] && [ ! -s ../err.txt ] || fail "N2 -c 2.5: status $status: $(cat ../err.txt)"
  same_reports . 2.5
  first=$(head -1 vdw_coex_si.csv)
  [[ $first == *'nitrogen (N2)'*'c = 2.5'$'\r' ]] || fail "N2: $first"
  # The state at the boiling point: the model's value and the measured one.
  run --substance argon --at-pressure 101325
  [ "$status" -eq 0 ] && grep -q 'T  = 72.2653' ../out.txt && grep -q '87.302 K, 101325 Pa' ../out.txt ||
    fail "argon at 101325 Pa: status $status: $(cat ../out.txt ../err.txt)"
  untouched "--at-pressure"
  temperature=$(sed -n 's/^  T  = \([0-9.]*\) K.*/\1/p' ../out.txt)
  run --substance argon --at-temperature "$temperature"
  grep -q '^  p  = 101325 Pa' ../out.txt || fail "at $temperature K: $(cat ../out.txt)"
  run --tc 150.687 --pc 4863000 --at-temperature "$temperature"
  grep -q '^  p  = 101325 Pa' ../out.txt || fail "--tc/--pc at $temperature K: $(cat ../out.txt)"
  # Named by what it is, once, in either language.
  grep -q '^un fluido de van der Waals de constantes cr.ticas dadas (Tc = 150.687 K' ../out.txt ||
    fail "--tc/--pc: $(head -1 ../out.txt)"
  # Spanish throughout, the sources' notes too.
  LANGUAGE=es run --substance CO2 --at-pressure 101325
  [ "$status" -eq 0 ] && grep -q 'sin punto de ebullici.n a 101325 Pa (sublima)' ../out.txt &&
    ! grep -E 'boiling|sublimes|latent heat' ../out.txt || fail "CO2 in Spanish: $(cat ../out.txt)"
  LANGUAGE=es run --list-substances
  ! grep -E 'boiling|sublimes|latent heat' ../out.txt || fail "the list in Spanish: $(cat ../out.txt)"
  # A measured point at another T and p is said to be elsewhere, not the answer.
  LANGUAGE=en run --substance CO2 --at-pressure 3e6
  grep -q '^  measured at another point, not this one: 273.15 K, 3485100 Pa' ../out.txt || fail "CO2: $(cat ../out.txt)"
  # Against the measured curves: at this T, or below the triple point.
  LANGUAGE=en run --substance argon --at-temperature 87.302
  grep -q '^  measured at this T: p = 1013[0-9][0-9].[0-9]* Pa, density: liquid 139[0-9.]* kg/m' ../out.txt || fail "87.302 K: $(cat ../out.txt)"
  LANGUAGE=en run --substance argon --at-temperature 80
  grep -q '^  below the triple point (83.8058 K): the real fluid is solid here$' ../out.txt || fail "80 K: $(cat ../out.txt)"
  LANGUAGE=en run --substance argon --at-pressure 101325
  grep -q '^  measured at this p: it boils at T = 87.30[0-9]\{7\} K' ../out.txt || fail "101325 Pa: $(cat ../out.txt)"
  # One format a quantity, the model's and the measured alike: no exponent
  # for a pressure, six digits for every density.
  for at in --at-temperature=120 --at-pressure=101325; do
    LANGUAGE=en run --substance argon "$at"
    densities=$(grep -oE '[0-9.]+ kg/m(³|3)' ../out.txt | tr -d '.')
    ! grep -E '[0-9]e[+-]?[0-9]' ../out.txt && [ "$(wc -l <<< "$densities")" -eq 4 ] &&
      [ "$(grep -cvE '^[0-9]{6} ' <<< "$densities")" -eq 0 ] || fail "formats $at: $(cat ../out.txt)"
  done
  LANGUAGE=en run --substance argon --at-pressure 50000
  grep -q 'the real fluid is solid at this p$' ../out.txt || fail "50000 Pa: $(cat ../out.txt)"
  # The substance against the model: its row on standard output, and
  # nature_argon.csv beside the same reports, its model cells the tables'.
  LANGUAGE=en run --substance argon --against-nature --csv
  [ "$status" -eq 0 ] || fail "--against-nature: status $status: $(cat ../err.txt)"
  same_reports . 1.5
  grep -q '^  Zc = pc/(rhoc R Tc) *0.2895 *0.375$' ../out.txt && grep -q '^  Tb/Tc .*(87.302 K, 72.27 K)$' ../out.txt ||
    fail "--against-nature: $(tail -12 ../out.txt)"
  python3 "$(dirname "$0")/check_si.py" . || fail "argon: nature_argon.csv"
  # Quiet, the comparison is still printed: it is the result, not a trace.
  compared=$(sed -n '/^argon (Ar) against the van der Waals fluid/,$p' ../out.txt)
  LANGUAGE=en run --substance argon --against-nature -q
  [ "$status" -eq 0 ] && [ -n "$compared" ] && [ "$(cat ../out.txt)" == "$compared" ] ||
    fail "-q --against-nature printed: $(cat ../out.txt)"
  # The model's vapour pressure falls too slowly below Tc (p/pc = 0.20 at
  # T/Tc = 0.7, argon's 0.1), which is why it boils too cold: said so in
  # both languages, never that it falls too fast.
  grep -q 'falls too slowly' ../out.txt && ! grep -Eqi 'too fast|faster|steep' ../out.txt ||
    fail "--against-nature says the vapour pressure falls too fast: $(tail -6 ../out.txt)"
  LANGUAGE=es run --substance argon --against-nature
  grep -q 'cae demasiado despacio' ../out.txt && ! grep -Eqi 'deprisa|rápid|empinad' ../out.txt ||
    fail "--against-nature en español: $(tail -6 ../out.txt)"
  # A range in order, the argument as typed.
  LANGUAGE=en run --substance argon --at-temperature 20
  grep -q 'T = 20 K is out of reach: .* between 59.3707 K (0.394 Tc, .*) and Tc = 150.687 K, not included$' ../err.txt ||
    fail "argon at 20 K: $(cat ../err.txt)"
  LANGUAGE=en run --substance argon --at-pressure 1e3
  grep -q 'p = 1e3 Pa is out of reach: .* from 22153.3 Pa (.*) to pc = 4863000 Pa, not included$' ../err.txt ||
    fail "argon at 1e3 Pa: $(cat ../err.txt)"
  # A UTF-8 locale that is not installed still gets the units in UTF-8.
  LC_ALL='' LC_CTYPE='' LANG=xx_XX.UTF-8 LANGUAGE=en run --substance argon --at-pressure 101325
  grep -q 'cm³/mol' ../out.txt && grep -q '°C' ../out.txt || fail "xx_XX.UTF-8: $(cat ../out.txt)"
  LANGUAGE=en run --substance argon --at-temperature -5
  grep -q -- '--at-temperature -5 is not a positive number' ../err.txt || fail "-5: $(cat ../err.txt)"
  for args in "--substance xenon" "--substance argon --at-temperature -5" "--substance argon --at-temperature 50" \
              "--substance argon --at-temperature 151" "--substance argon --at-pressure 5e6" \
              "--substance argon --at-pressure 0" "--substance argon --at-pressure 1e3" "--at-temperature 80" \
              "--substance argon --at-temperature 150.687" "--substance argon --at-pressure 4863000" \
              "--tc 150" "--tc -1 --pc 1e6" "--substance argon --tc 150 --pc 4e6" \
              "--substance argon --at-temperature 80 --at-pressure 1e5" "--substance argon --at-pressure abc" \
              "--against-nature" "--tc 150 --pc 4e6 --against-nature"; do
    run $args
    [ "$status" -eq 2 ] && [ "$(wc -l < ../err.txt)" -eq 2 ] && [ ! -s ../out.txt ] ||
      fail "'$args': status $status: $(cat ../err.txt)"
    untouched "'$args'"
  done ;;

equations)  # --eos: the state and the comparison by each cubic equation, checked
           # against the reference table ($3) where the tree has it, else the
           # figures quoted for each equation; vdw the same bytes as no --eos; usage
           # errors that touch nothing
  export LANG=en_US.UTF-8
  reference=${3:-}
  for eos in vdw rk srk pr; do
    run --substance argon --eos "$eos" --at-temperature 120
    [ "$status" -eq 0 ] || fail "$eos: status $status: $(cat ../err.txt)"
    untouched "--eos $eos --at-temperature"
    grep -q "^argon (Ar), a .* fluid (Tc" ../out.txt || fail "$eos: $(head -1 ../out.txt)"
    p=$(sed -n 's/^  p  = \([0-9.e+]*\) Pa.*/\1/p' ../out.txt)
    rho=$(sed -n 's/^  density: liquid \([0-9.e+]*\) kg.*/\1/p' ../out.txt)
    if [ -f "$reference" ]; then
      expected=$(awk -F'\t' -v eos="$eos" '$1 == eos && $2 == "argon" && $3 + 0 == 120 { print $4, $5 }' "$reference")
    else
      expected=$(awk -v eos="$eos" '$1 == eos { print $2, $3 }' <<< $'vdw 1.8252e6 802.6\nrk 1.1577e6 1135.5\nsrk 1.2248e6 1122.7\npr 1.2201e6 1271.9')
    fi
    [ -n "$expected" ] || fail "$eos: no reference row for argon at 120 K"
    awk -v p="$p" -v rho="$rho" -v e="$expected" 'BEGIN { split(e, x, " ");
        d1 = (p - x[1]) / x[1]; d2 = (rho - x[2]) / x[2];
        exit !(d1 < 5e-4 && d1 > -5e-4 && d2 < 5e-4 && d2 > -5e-4) }' ||
      fail "$eos: argon at 120 K: p $p Pa, liquid $rho kg/m3, expected $expected"
    # At the pressure it printed, the same equation boils at 120 K.
    boils=$("$program" --substance argon --eos "$eos" --at-pressure "$p" | sed -n 's/^  T  = \([0-9.]*\) K.*/\1/p')
    [ "$(LC_ALL=C printf '%.4f' "$boils")" == "120.0000" ] || fail "$eos: at $p Pa it boils at $boils K"
  done
  # vdw is the program as it was: the same bytes as without --eos.
  for args in "--substance argon --at-temperature 120" "--substance water --at-pressure 101325" \
              "--tc 300 --pc 5e6 --at-temperature 250" "-q --substance argon --against-nature"; do
    run $args; cp ../out.txt ../plain.txt; ls -A > ../plain-files.txt
    run $args --eos vdw; ls -A > ../vdw-files.txt
    [ "$status" -eq 0 ] && cmp -s ../out.txt ../plain.txt && cmp -s ../plain-files.txt ../vdw-files.txt ||
      fail "--eos vdw $args: not the same as without --eos"
  done
  # The comparison: every equation's Zc and omega, the chosen one's Tb; the
  # run's files with the equation's own model-and-measured table.
  run --substance argon --eos pr --against-nature
  [ "$status" -eq 0 ] || fail "--against-nature --eos pr: status $status"
  [ "$(ls -A | tr '\n' ' ')" == "clatente.dat clatente_si.csv nature_pr_argon.csv pr_clatente_si.csv pr_coex_si.csv vdw_coex.dat vdw_coex_si.csv " ] ||
    fail "--against-nature --eos pr wrote $(ls -A)"
  grep -q '^# vdwcoex .*: argon (Ar), the Peng-Robinson equation beside the measured' nature_pr_argon.csv ||
    fail "nature_pr_argon.csv: $(head -1 nature_pr_argon.csv)"
  grep -qE '^  Zc = pc/\(rhoc R Tc\) +0.2895 +0.375 +0.333 +0.333 +0.307$' ../out.txt || fail "Zc: $(cat ../out.txt)"
  grep -qE '^  acentric factor omega +-0.00219 +-0.302 +0.0583 +-0.00205 +-0.00508$' ../out.txt || fail "omega: $(cat ../out.txt)"
  grep -qE '^  Tb/Tc +0.5794 +0.57[0-9]+ \(87.302 K, 8[78].[0-9]+ K\)$' ../out.txt || fail "Tb: $(cat ../out.txt)"
  # Usage errors: status 2, two lines, nothing touched, in both languages.
  for args in "--eos srk" "--eos pr" "--eos rk" "--eos srk --tc 150 --pc 4.8e6 --at-temperature 120" \
              "--eos PR --substance argon --at-temperature 120" "--eos rk 2.5" "--eos srk --csv 2.5" "--eos pr -q --csv 2.5" \
              "--eos pr --tc 150 --pc 4.8e6 --csv 2.5" "--eos rk --csv -o missing 2.5" \
              "--eos pr --substance argon --omega 0.1 --at-temperature 120" "--omega 0.1 --tc 150 --pc 4.8e6" \
              "--eos pr --tc 150 --pc 4.8e6 --omega nan --at-temperature 120" "--eos rk --substance argon --at-temperature 30" \
              "--eos rk --substance argon --at-pressure 5e6" "--eos rk --tc 150 --pc 4.8e6 --against-nature"; do
    for lang in en_US.UTF-8 C; do
      LANG=$lang run $args
      [ "$status" -eq 2 ] && [ "$(wc -l < ../err.txt)" -eq 2 ] && [ ! -s ../out.txt ] ||
        fail "'$args' ($lang): status $status: $(cat ../err.txt)"
      untouched "'$args' ($lang)"
    done
  done
  LANG=en_US.UTF-8 run --eos srk
  grep -q "needs the fluid's acentric factor" ../err.txt || fail "English: $(cat ../err.txt)"
  LANG=C run --eos srk
  grep -q "necesita el factor ac" ../err.txt || fail "Spanish: $(cat ../err.txt)"
  # A fluid of one's own: its omega moves srk's state; --o still abbreviates --output-dir.
  a=$("$program" --tc 150 --pc 4.8e6 --eos srk --omega 0 --at-temperature 120 | grep '^  p ')
  b=$("$program" --tc 150 --pc 4.8e6 --eos srk --omega 0.3 --at-temperature 120 | grep '^  p ')
  [ -n "$a" ] && [ "$a" != "$b" ] || fail "--omega: '$a' and '$b'"
  mkdir -p "$work/o"; (cd "$work" && "$program" -q --o o 2.5) && [ -f "$work/o/vdw_coex.dat" ] || fail "--o is not --output-dir" ;;

equation-tables)  # --eos in a run: the equation's tables beside the van der Waals
                 # ones, which with the reports keep every byte; its SI rows are
                 # the states --at-temperature gives
  export LANG=en_US.UTF-8
  run --csv 2.5; mkdir ../plain && cp ./*.csv ../plain/
  run --eos rk --csv 2.5
  [ "$status" -eq 0 ] || fail "--eos rk --csv: status $status: $(cat ../err.txt)"
  same_reports . 2.5
  [ "$(ls -A | tr '\n' ' ')" == "clatente.csv clatente.dat rk_clatente.csv rk_coex.csv vdw_coex.csv vdw_coex.dat " ] ||
    fail "--eos rk --csv wrote $(ls -A)"
  cmp -s vdw_coex.csv ../plain/vdw_coex.csv && cmp -s clatente.csv ../plain/clatente.csv ||
    fail "--eos rk changed the van der Waals CSV tables"
  grep -q "^# t = T/Tc, p = p/pc, v = V/Vc with the equation's own critical volume Vc = Zc R Tc/pc, Zc = 0.333333333;" rk_coex.csv ||
    fail "rk_coex.csv does not say what v is: $(head -2 rk_coex.csv)"
  # With a substance: the SI tables of both; a row's T gives its p and latent heat.
  run --substance argon --csv; rm -rf ../plain && mkdir ../plain && cp ./*.csv ../plain/
  run --substance argon --eos pr --csv
  [ "$status" -eq 0 ] || fail "--substance argon --eos pr --csv: status $status"
  same_reports . 1.5
  for f in vdw_coex.csv clatente.csv vdw_coex_si.csv clatente_si.csv; do
    cmp -s "$f" "../plain/$f" || fail "--eos pr changed $f"
  done
  row=$(grep -n '^0.800000,' pr_coex.csv | cut -d: -f1)
  [ -n "$row" ] || fail "pr_coex.csv has no row at t = 0.8"
  IFS=, read -r T p _ _ _ _ _ _ latent <<< "$(sed -n "${row}p" pr_coex_si.csv)"
  shown=$("$program" --substance argon --eos pr --at-temperature "$T")
  p_shown=$(sed -n 's/^  p  = \([0-9.]*\) Pa.*/\1/p' <<< "$shown")
  latent_shown=$(sed -n 's/^  latent heat \([0-9.]*\) kJ.*/\1/p' <<< "$shown")
  awk -v a="$p" -v b="$p_shown" -v h="$latent" -v k="$latent_shown" 'BEGIN {
      d = (a - b) / b; e = (h / 1000 - k) / k; exit !(d < 1e-7 && d > -1e-7 && e < 1e-5 && e > -1e-5) }' ||
    fail "pr_coex_si.csv at $T K: p $p Pa, latent $latent J/mol; --at-temperature: $p_shown Pa, $latent_shown kJ/mol"
  # srk and pr without the acentric factor: no tables, nothing touched.
  for args in "--eos srk --csv 2.5" "--eos pr --tc 150 --pc 4.8e6 -q --csv 2.5"; do
    run $args
    [ "$status" -eq 2 ] && grep -q "needs the fluid's acentric factor" ../err.txt || fail "'$args': status $status"
    untouched "'$args'"
  done ;;

terminal)  # on a terminal a closing line names the files and the folder
  command -v script > /dev/null || fail "script (util-linux) is needed"
  run 2.5 --csv
  [ ! -s ../err.txt ] || fail "without a terminal: $(cat ../err.txt)"
  rm -rf "$work/tty" && mkdir "$work/tty" && cd "$work/tty" || exit 1
  script -qec "'$program' 2.5" /dev/null < /dev/null > typescript
  tr -d '\r' < typescript | grep -x "vdwcoex: escritos vdw_coex.dat y clatente.dat en $PWD" > /dev/null ||
    fail "no closing line: $(cat -A typescript | tail -3)"
  grep -q $'0.786967\r\r\nvdwcoex' typescript || grep -q $'0.786967\r\nvdwcoex' typescript ||
    fail "the closing line does not start on a line of its own" ;;

*) fail "unknown case" ;;
esac
echo "$case_name: passed"
