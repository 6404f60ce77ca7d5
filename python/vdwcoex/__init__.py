"""Liquid-gas coexistence of a van der Waals fluid, in reduced variables.

    tables(c)             the reports of a run as tables, and its states
                          (eos="rk", "srk", "pr": that equation's tables)
    reports(c)            the bytes of vdw_coex.dat and clatente.dat
    state_at(t)           the coexistence state at t, T, p or P (or at many)
    trial_line(t, p)      a line at a trial pressure across the isotherm t
    isotherm(t, v)        the pressure at volume v on the isotherm t
    substances()          the real fluids the program knows
    against_nature(name)  the model beside a substance's measured curves
    write_reports(folder, c)  the console's files, replaced together

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
console's messages, naming the keywords (``substance=``, ``Tc=``, ``pc=``)
where the console names its options, in English, or in Spanish where a
function is given ``language="es"``. What the console warns of comes as a
warning. Every function may be called from several threads at once.
"""

from __future__ import annotations

import os
from typing import TYPE_CHECKING, Any, Dict, List, NamedTuple, Optional, Sequence, Union, overload
import warnings

from . import _vdwcoex as _core

if TYPE_CHECKING:
    import numpy
    import pandas

__version__ = _core.version
# What help(vdwcoex) shows: the functions first; the named tuples they
# return are described with them.
__all__ = ["tables", "reports", "state_at", "trial_line", "isotherm", "substances", "against_nature",
           "write_reports", "LOWEST_STATE_T", "LARGEST_EXACT_C"]

#: The lowest t the model's searches reach (the states go from here up to 1).
LOWEST_STATE_T = _core.lowest_state_t
#: The largest c for which the latent heat keeps all its printed digits.
LARGEST_EXACT_C = _core.largest_exact_c

#: A table: a pandas DataFrame, or without pandas a dict of NumPy arrays.
Frame = Union["pandas.DataFrame", Dict[str, Any]]
#: One number, or many (a sequence or a NumPy array).
Numbers = Union[float, Sequence[float], "numpy.ndarray"]

class Reports(NamedTuple):
    """The bytes of vdw_coex.dat and clatente.dat, and of the search trace the
    console prints, exactly as the program writes them (CR LF line breaks, and
    the few accented letters in the DOS code page 850 the reports were first
    written in)."""
    coexistence: bytes
    properties: bytes
    trace: bytes


class Tables(NamedTuple):
    """The tables of a run: ``coexistence`` and ``properties`` hold the numbers of
    vdw_coex.csv and clatente.csv exactly as printed (six decimals); ``states``
    holds, for each of the 499 temperatures, the unrounded state the rows were
    printed from; the ``_si`` tables and ``si_header`` are those of
    vdw_coex_si.csv and clatente_si.csv where a fluid was named, else None.
    By another equation (eos=), those of rk_coex.csv, rk_clatente.csv and
    their _si forms (srk_..., pr_...), and ``header`` the lines that head
    the reduced ones; None for van der Waals'."""
    coexistence: Frame
    properties: Frame
    states: Frame
    coexistence_si: Optional[Frame]
    properties_si: Optional[Frame]
    si_header: Optional[List[str]]
    header: Optional[List[str]] = None


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
    if isinstance(x, bool) or _np is not None and isinstance(x, _np.bool_) or \
            not isinstance(x, (int, float)) and not hasattr(x, "__float__"):
        raise TypeError(f"{name} must be a number, not {type(x).__name__}")
    return float(x)


def _optional(name, x):
    return None if x is None else _number(name, x)


def _scalar(x):
    return isinstance(x, (int, float)) or _np is not None and _np.ndim(x) == 0


def _values(name, x):
    """One number or many, as a flat list of floats."""
    if _scalar(x):
        return [_number(name, x)]
    # Each element as it is, so that a bool among numbers is refused.
    return [_number(name, v) for v in (_np.asarray(x, dtype=object).ravel() if _np is not None else x)]


def _warn(lines):
    for line in lines:
        warnings.warn(line, stacklevel=3)


def _os_error(error, message):
    """The OSError Python raises for this errno (FileNotFoundError,
    PermissionError, ...), with the program's message."""
    raised = type(OSError(error, message))(message)
    raised.errno = error
    return raised


def reports(c: float = 1.5) -> Reports:
    """The two reports and the trace of a whole run for Cv = cR.

    Returns Reports(coexistence, properties, trace): the bytes of
    vdw_coex.dat and clatente.dat and of what the console prints, as the
    program writes them.
    """
    return Reports(*_core.reports(_number("c", c)))


def tables(c: Optional[float] = None, substance: Optional[str] = None, Tc: Optional[float] = None,
           pc: Optional[float] = None, *, language: str = "en", eos: Optional[str] = None,
           omega: Optional[float] = None) -> Tables:
    """The reports of a run for Cv = cR as tables.

    c defaults to 1.5, or to the substance's own c. With a substance (a key,
    formula or name of substances()) or a fluid's critical constants Tc (K)
    and pc (Pa), the SI tables come too. A c that is not positive and finite,
    or above LARGEST_EXACT_C, is warned of as the console does.

    eos "rk", "srk" or "pr" gives that equation's tables instead, as the
    console's --eos writes them: the coexistence rows only, t = T/Tc,
    p = p/pc, v = V/Vc by the equation's own Vc = Zc R Tc/pc, s in R and the
    energies in R Tc; "rk" needs no fluid, "srk" and "pr" a fluid's acentric
    factor (a substance's own, or omega= with Tc and pc).

    Returns Tables(coexistence, properties, states, coexistence_si,
    properties_si, si_header, header).
    """
    raw = _core.tables(_optional("c", c), substance, _optional("Tc", Tc), _optional("pc", pc), language, eos,
                       _optional("omega", omega))
    _warn(raw["warnings"])
    si = "si_header" in raw
    return Tables(_table(raw["coexistence"]), _table(raw["properties"]), _frame(raw["states"]),
                  _table(raw["coexistence_si"]) if si else None,
                  _table(raw["properties_si"]) if si else None,
                  raw["si_header"] if si else None, raw["header"] or None)


@overload
def state_at(t: float, *, substance: Optional[str] = ..., Tc: Optional[float] = ..., pc: Optional[float] = ...,
             c: Optional[float] = ..., language: str = ..., eos: Optional[str] = ...,
             omega: Optional[float] = ...) -> Dict[str, Any]: ...
@overload
def state_at(t: Union[Sequence[float], "numpy.ndarray"], *, substance: Optional[str] = ...,
             Tc: Optional[float] = ..., pc: Optional[float] = ..., c: Optional[float] = ...,
             language: str = ..., eos: Optional[str] = ..., omega: Optional[float] = ...) -> Frame: ...
@overload
def state_at(t: None = ..., *, T: Optional[Numbers] = ..., p: Optional[Numbers] = ..., P: Optional[Numbers] = ...,
             substance: Optional[str] = ..., Tc: Optional[float] = ..., pc: Optional[float] = ...,
             c: Optional[float] = ..., language: str = ..., eos: Optional[str] = ...,
             omega: Optional[float] = ...) -> Union[Dict[str, Any], Frame]: ...


def state_at(t: Optional[Numbers] = None, *, T: Optional[Numbers] = None, p: Optional[Numbers] = None,
             P: Optional[Numbers] = None, substance: Optional[str] = None, Tc: Optional[float] = None,
             pc: Optional[float] = None, c: Optional[float] = None,
             language: str = "en", eos: Optional[str] = None,
             omega: Optional[float] = None) -> Union[Dict[str, Any], Frame]:
    """The coexistence state at one temperature or vapour pressure, or at many.

    Give one of t (reduced temperature, from LOWEST_STATE_T up to 1), T (K),
    p (reduced pressure) or P (Pa); T and P need a fluid: a substance, or its
    critical constants Tc (K) and pc (Pa). c defaults to the substance's own,
    else 1.5.

    For one number, returns a dict of the unrounded state in reduced
    variables, with the tables' column names (t, p, v_liquid, v_gas, the
    stability limits, the entropies, enthalpies, Gibbs and internal energies,
    the latent heat), the Maxwell construction's v_middle and areas, and with
    a fluid the same in SI units (T_K, p_Pa, v_liquid_m3_per_mol, ...,
    latent_heat_J_per_mol) and the fluid's constants under "substance". For
    a sequence or an array, returns a table of the same columns, a row for
    each number (in the order of the array's ravel()), the fluid's
    constants in its ``attrs["substance"]``; if any number is out of reach,
    a ValueError names it.

    eos chooses the equation of state: "vdw" (van der Waals, the default,
    all of the above), "rk" (Redlich and Kwong), "srk" (Soave) or "pr" (Peng
    and Robinson). Other than "vdw" it needs a fluid, and "srk" and "pr" its
    acentric factor (a substance's own, or omega= with Tc and pc); the state
    is then what the console's --eos prints: t, p, v_liquid and v_gas (by
    the equation's own Vc = Zc R Tc/pc), and in SI units T_K, p_Pa, the
    molar volumes, the densities and the latent heat, with "eos" naming it.
    """
    given = {"t": t, "T": T, "p": p, "P": P}
    named = [name for name, x in given.items() if x is not None]
    one = len(named) != 1 or _scalar(given[named[0]])
    values = {name: None if x is None else _values(name, x) for name, x in given.items()}
    raw = _core.state_at(values["t"], values["T"], values["p"], values["P"], substance, _optional("Tc", Tc),
                         _optional("pc", pc), _optional("c", c), language, eos, _optional("omega", omega))
    if not one:
        frame = _frame(raw["columns"])
        if _pd is not None:
            frame.attrs["substance"] = raw["substance"]
            if "eos" in raw:
                frame.attrs["eos"] = raw["eos"]
        return frame
    state = {name: cells[0] for name, cells in raw["columns"].items()}
    if raw["substance"] is not None:
        state["substance"] = raw["substance"]
    if "eos" in raw:
        state["eos"] = raw["eos"]
    return state


def trial_line(t: float, p: float, c: float = 1.5, *, language: str = "en") -> Dict[str, float]:
    """A line at trial pressure p across the isotherm t, as the page draws it.

    p must cut the isotherm three times: between the stability limits'
    pressures, and above zero. Returns where it cuts the isotherm (v_liquid,
    v_middle, v_gas), the two areas between line and isotherm, the Gibbs
    energies at its ends, and the isotherm's vapour pressure, where the
    areas and the Gibbs energies are equal.
    """
    return _core.trial_line(_number("t", t), _number("p", p), _number("c", c), language)


def isotherm(t: float, v: Numbers) -> Union[float, "numpy.ndarray", List[float]]:
    """The pressure p = 8t/(3v - 1) - 3/v**2 at volume v on the isotherm t.

    v may be a number or a sequence; for a sequence the pressures come as a
    NumPy array (a list without NumPy).
    """
    t = _number("t", t)
    if _scalar(v):
        return _core.isotherm(t, [_number("v", v)])[0]
    values = _core.isotherm(t, [float(x) for x in (v.ravel() if hasattr(v, "ravel") else v)])
    if _np is None:
        return values
    return _np.asarray(values).reshape(_np.shape(v))


def substances() -> Frame:
    """The real fluids the program knows, with their constants and sources."""
    rows = _core.substances()
    return _frame({name: [row[name] for row in rows] for name in rows[0]})


def against_nature(substance: str, c: Optional[float] = None, *, language: str = "en",
                   eos: Optional[str] = None) -> Frame:
    """The model beside a substance's measured saturation curves.

    The table the console writes to nature_KEY.csv with
    ``vdwcoex --substance NAME --against-nature``: at each temperature of a
    run, T and t, the vapour pressure, the liquid's and vapour's densities
    (kg/m3, and over the critical density) and the latent heat, the model's
    beside the measured ones (NaN below the triple point). c (the
    substance's own by default) moves none of them.

    Its ``attrs`` hold the units, the lines that head the CSV file
    (``header``) and the measured numbers beside the model's (``compared``:
    Zc, omega, Tb_over_Tc, latent_heat_at_Tb_J_per_mol, Trouton).

    With eos "rk", "srk" or "pr" (the console's --eos), the table is instead
    the measured Zc and omega (row "measured") above each equation's, its
    omega read from its own curve, ``compared`` holds that equation's
    numbers beside the measured ones, and ``curves`` its own table beside
    the measured curves, as the console writes it to nature_EQ_KEY.csv; "vdw"
    or none is all of the above.
    """
    raw = _core.against_nature(substance, _optional("c", c), language, eos)
    _warn(raw["warnings"])
    frame = _table(raw)
    if _pd is not None:
        frame.attrs["header"] = raw["header"]
        frame.attrs["compared"] = raw["compared"]
        if "curves" in raw:
            frame.attrs["curves"] = _table(raw["curves"])
    return frame


def write_reports(folder: Union[str, "os.PathLike[str]"] = ".", c: float = 1.5, csv: bool = False,
                  xlsx: bool = False, substance: Optional[str] = None, Tc: Optional[float] = None,
                  pc: Optional[float] = None, *, language: str = "en", eos: Optional[str] = None,
                  omega: Optional[float] = None) -> List[str]:
    """Writes the run's files for Cv = cR into folder, as the console does.

    vdw_coex.dat and clatente.dat, with csv=True vdw_coex.csv and
    clatente.csv, with a substance (or Tc and pc) the SI tables, with
    xlsx=True vdwcoex.xlsx; with eos "rk", "srk" or "pr" that equation's
    tables beside them, as tables(eos=) gives them (rk_coex.csv and
    rk_clatente.csv with csv=True, rk_coex_si.csv and rk_clatente_si.csv
    with a fluid, sheets in the workbook). They replace earlier files together, only once
    all are complete: if any cannot be written, every one is left as it was
    (unless the OSError's message says otherwise).

    Returns the paths written. Raises FileNotFoundError where the folder is
    missing, PermissionError where it or a file cannot be written, another
    OSError for another failure of the system, and ValueError for what is
    wrong with the arguments (an unknown substance; xlsx=True without a
    workbook writer), touching nothing where it says so. What the console
    would warn of (an odd c, an earlier text left by a killed run) comes as
    a warning.
    """
    folder = os.fspath(folder)
    status, lines, written, error = _core.write_reports(folder, _number("c", c), bool(csv), bool(xlsx), substance,
                                                        _optional("Tc", Tc), _optional("pc", pc), language, eos,
                                                        _optional("omega", omega))
    _warn(lines[:-1] if status else lines)
    if status:
        raise _os_error(error, lines[-1]) if error else (ValueError if status == 2 else OSError)(lines[-1])
    return written
