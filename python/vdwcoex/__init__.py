"""Liquid-gas coexistence of a van der Waals fluid, in reduced variables.

t = T/Tc, p = P/pc, v = V/Vc; p = 8t/(3v - 1) - 3/v**2. The same C++ as the
console program vdwcoex computes every number here; this module only shapes
them as tables:

>>> import vdwcoex
>>> coexistence, properties, states = vdwcoex.tables(2.5)[:3]
>>> vdwcoex.state_at(T=120, substance="argon")["p_Pa"]
>>> vdwcoex.write_reports("results", 2.5, csv=True)

Tables are pandas DataFrames where pandas is installed, and otherwise dicts
of NumPy arrays (of lists, without NumPy). A column's unit is in the
DataFrame's ``attrs["units"]``. Errors are Python exceptions carrying the
console's messages, in Spanish or, where the locale says so, English.
Every function may be called from several threads at once.
"""

from collections import namedtuple
import os
import warnings

from . import _vdwcoex as _core

__version__ = _core.version
__all__ = ["reports", "tables", "state_at", "trial_line", "isotherm", "substances", "write_reports",
           "Reports", "Tables", "LOWEST_STATE_T", "LARGEST_EXACT_C"]

#: The lowest t the model's searches reach (the states go from here up to 1).
LOWEST_STATE_T = _core.lowest_state_t
#: The largest c for which the latent heat keeps all its printed digits.
LARGEST_EXACT_C = _core.largest_exact_c

Reports = namedtuple("Reports", "coexistence properties trace")
Reports.__doc__ = """The bytes of vdw_coex.dat and clatente.dat, and of the search trace the
console prints, exactly as the program writes them (CR LF line breaks, and
the few accented letters in the DOS code page 850 the reports were first
written in)."""

Tables = namedtuple("Tables", "coexistence properties states coexistence_si properties_si si_header")
Tables.__doc__ = """The tables of a run: ``coexistence`` and ``properties`` hold the numbers of
vdw_coex.csv and clatente.csv exactly as printed (six decimals); ``states``
holds, for each of the 499 temperatures, the unrounded state the rows were
printed from; the ``_si`` tables and ``si_header`` are those of
vdw_coex_si.csv and clatente_si.csv where a fluid was named, else None."""

try:
    import pandas as _pd
except ImportError:  # NumPy arrays, or lists, instead
    _pd = None
try:
    import numpy as _np
except ImportError:
    _np = None


def _frame(columns, units=None):
    """A table from its columns: a DataFrame, or else a dict of arrays."""
    if _pd is not None:
        frame = _pd.DataFrame(columns)
        frame.attrs["units"] = dict(units or {})
        return frame
    if _np is not None:
        return {name: _np.asarray(values) for name, values in columns.items()}
    return dict(columns)


def _table(table):
    return _frame(table["columns"], table["units"])


def _number(name, x):
    if isinstance(x, bool) or not isinstance(x, (int, float)) and not hasattr(x, "__float__"):
        raise TypeError(f"{name} must be a number, not {type(x).__name__}")
    return float(x)


def reports(c=1.5):
    """The two reports and the trace of a whole run for Cv = cR.

    Returns Reports(coexistence, properties, trace): the bytes of
    vdw_coex.dat and clatente.dat and of what the console prints, as the
    program writes them.
    """
    return Reports(*_core.reports(_number("c", c)))


def tables(c=None, substance=None, Tc=None, pc=None):
    """The reports of a run for Cv = cR as tables.

    c defaults to 1.5, or to the substance's own c. With a substance (a key,
    formula or name of substances()) or a fluid's critical constants Tc (K)
    and pc (Pa), the SI tables come too.

    Returns Tables(coexistence, properties, states, coexistence_si,
    properties_si, si_header).
    """
    c, Tc, pc = (None if x is None else _number(name, x) for name, x in (("c", c), ("Tc", Tc), ("pc", pc)))
    raw = _core.tables(c, substance, Tc, pc)
    si = "si_header" in raw
    return Tables(_table(raw["coexistence"]), _table(raw["properties"]), _frame(raw["states"]),
                  _table(raw["coexistence_si"]) if si else None,
                  _table(raw["properties_si"]) if si else None,
                  raw["si_header"] if si else None)


def state_at(t=None, *, T=None, p=None, P=None, substance=None, Tc=None, pc=None, c=None):
    """The coexistence state at one temperature or vapour pressure.

    Give one of t (reduced temperature, from LOWEST_STATE_T up to 1), T (K),
    p (reduced pressure) or P (Pa); T and P need a fluid: a substance, or its
    critical constants Tc (K) and pc (Pa). c defaults to the substance's own,
    else 1.5.

    Returns a dict of the unrounded state in reduced variables, with the
    tables' column names (t, p, v_liquid, v_gas, the stability limits, the
    entropies, enthalpies, Gibbs and internal energies, the latent heat), the
    Maxwell construction's v_middle and areas, and with a fluid the same in
    SI units (T_K, p_Pa, v_liquid_m3_per_mol, ..., latent_heat_J_per_mol).
    """
    given = {name: None if x is None else _number(name, x)
             for name, x in (("t", t), ("T", T), ("p", p), ("P", P), ("Tc", Tc), ("pc", pc), ("c", c))}
    return _core.state_at(given["t"], given["T"], given["p"], given["P"], substance,
                          given["Tc"], given["pc"], given["c"])


def trial_line(t, p, c=1.5):
    """A line at trial pressure p across the isotherm t, as the page draws it.

    p must cut the isotherm three times: between the stability limits'
    pressures, and above zero. Returns where it cuts the isotherm (v_liquid,
    v_middle, v_gas), the two areas between line and isotherm, the Gibbs
    energies at its ends, and the isotherm's vapour pressure, where the
    areas and the Gibbs energies are equal.
    """
    return _core.trial_line(_number("t", t), _number("p", p), _number("c", c))


def isotherm(t, v):
    """The pressure p = 8t/(3v - 1) - 3/v**2 at volume v on the isotherm t.

    v may be a number or a sequence; for a sequence the pressures come as a
    NumPy array (a list without NumPy).
    """
    t = _number("t", t)
    if isinstance(v, (int, float)) or _np is not None and _np.ndim(v) == 0:
        return _core.isotherm(t, [_number("v", v)])[0]
    values = _core.isotherm(t, [float(x) for x in (v.ravel() if hasattr(v, "ravel") else v)])
    if _np is None:
        return values
    return _np.asarray(values).reshape(_np.shape(v))


def substances():
    """The real fluids the program knows, with their constants and sources."""
    rows = _core.substances()
    return _frame({name: [row[name] for row in rows] for name in rows[0]})


def write_reports(folder=".", c=1.5, csv=False, xlsx=False, substance=None, Tc=None, pc=None):
    """Writes the run's files for Cv = cR into folder, as the console does.

    vdw_coex.dat and clatente.dat, with csv=True vdw_coex.csv and
    clatente.csv, with a substance (or Tc and pc) the SI tables, with
    xlsx=True vdwcoex.xlsx. They replace earlier files together, only once
    all are complete: if any cannot be written, every one is left as it was
    (unless the OSError's message says otherwise).

    Returns the paths written. Raises ValueError where the console exits
    with status 2 (no such folder, unknown substance, no workbook writer),
    touching nothing, and OSError where it exits with 1. What the console
    would warn of (an odd c, an earlier text left by a killed run) comes as
    a warning.
    """
    folder = os.fspath(folder)
    Tc, pc = (None if x is None else _number(name, x) for name, x in (("Tc", Tc), ("pc", pc)))
    status, lines, written = _core.write_reports(folder, _number("c", c), bool(csv), bool(xlsx),
                                                 substance, Tc, pc)
    for line in lines[:-1] if status else lines:
        warnings.warn(line, stacklevel=2)
    if status:
        raise (ValueError if status == 2 else OSError)(lines[-1])
    return written
