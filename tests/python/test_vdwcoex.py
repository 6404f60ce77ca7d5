"""The Python module against the console program: the same numbers, the same
files, the same messages, from one thread or many."""

import csv
import errno
import fcntl
import inspect
import math
import os
import pydoc
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import typing
import warnings
from concurrent.futures import ThreadPoolExecutor

import numpy as np
import pandas as pd
import pytest

import vdwcoex

PROGRAM = os.environ["VDWCOEX_PROGRAM"]


def console(folder, *args, env=None):
    """Runs the console program in folder; its completed process."""
    return subprocess.run([PROGRAM, *args], cwd=folder, capture_output=True, text=True,
                          env={**os.environ, **(env or {})})


def csv_cells(path):
    """A CSV file's columns as the module gives them: numbers as C reads
    them (an empty cell NaN), other columns as text; comment lines skipped."""
    with open(path, newline="") as f:
        rows = list(csv.reader(line for line in f if not line.startswith("#")))
    names, rows = rows[0], rows[1:]
    columns = {}
    for k, name in enumerate(names):
        cells = [row[k] for row in rows]
        try:
            columns[name] = [float(x) if x else math.nan for x in cells]
        except ValueError:
            columns[name] = cells
    return columns


def assert_frame_is(frame, columns):
    assert list(frame.columns) == list(columns)
    for name, cells in columns.items():
        got = frame[name].tolist()
        if cells and isinstance(cells[0], float):
            assert np.array_equal(np.array(got), np.array(cells), equal_nan=True), name
        else:
            assert got == cells, name


@pytest.mark.parametrize("c", [1.5, 2.5, 0.5, 1e6])
def test_tables_hold_the_csv_cells_and_the_reports_their_bytes(tmp_path, c):
    assert console(tmp_path, "--quiet", "--csv", repr(c)).returncode == 0
    tables = vdwcoex.tables(c)
    assert_frame_is(tables.coexistence, csv_cells(tmp_path / "vdw_coex.csv"))
    assert_frame_is(tables.properties, csv_cells(tmp_path / "clatente.csv"))
    assert tables.coexistence.attrs["units"]["p"] == "p/pc"
    reports = vdwcoex.reports(c)
    assert reports.coexistence == (tmp_path / "vdw_coex.dat").read_bytes()
    assert reports.properties == (tmp_path / "clatente.dat").read_bytes()
    assert reports.trace == subprocess.run([PROGRAM, repr(c)], cwd=tmp_path, capture_output=True).stdout
    # The states are what the rows print, unrounded.
    rows = tables.coexistence[tables.coexistence.p.notna() & tables.coexistence.v_gas.notna()]
    states = tables.states.set_index(np.round(tables.states.t, 3))
    for _, row in rows[::50].iterrows():
        state = states.loc[round(row.t, 3)]
        if abs(state.p - row.p) < 1e-6:
            assert f"{state.v_liquid:.6f}" == f"{row.v_liquid:.6f}"
    assert len(tables.states) == 499 and tables.coexistence_si is None


def test_si_tables_hold_the_si_csv_cells(tmp_path):
    assert console(tmp_path, "--quiet", "--substance", "argon").returncode == 0
    tables = vdwcoex.tables(substance="Ar")
    assert_frame_is(tables.coexistence_si, csv_cells(tmp_path / "vdw_coex_si.csv"))
    assert_frame_is(tables.properties_si, csv_cells(tmp_path / "clatente_si.csv"))
    header = [line[2:].rstrip() for line in open(tmp_path / "vdw_coex_si.csv") if line.startswith("# ")]
    assert tables.si_header == header


def test_state_at_gives_the_console_state_at_t_or_p(tmp_path):
    shown = console(tmp_path, "--substance", "argon", "--at-temperature", "120").stdout
    state = vdwcoex.state_at(T=120, substance="argon")
    assert f"p  = {state['p_Pa']:.10g} Pa" in shown
    assert f"t = T/Tc = {state['t']:.12g}" in shown
    assert f"latente {state['latent_heat_J_per_mol'] / 1000:.6g} kJ/mol" in shown
    assert vdwcoex.state_at(state["t"])["p"] == state["p"]
    by_pressure = vdwcoex.state_at(P=state["p_Pa"], substance="argon")
    assert by_pressure["T_K"] == pytest.approx(120, abs=1e-9)
    # At equilibrium the Gibbs energies and the areas agree.
    assert state["g_liquid_8a_per_27b"] == pytest.approx(state["g_gas_8a_per_27b"], abs=1e-10)
    assert state["liquid_area"] == pytest.approx(state["gas_area"], abs=1e-10)
    own = vdwcoex.state_at(T=120, Tc=150.687, pc=4.863e6)
    assert own["p_Pa"] == state["p_Pa"] and "density_liquid_kg_per_m3" not in own


def test_trial_line_and_isotherm(tmp_path):
    at = vdwcoex.state_at(0.9)
    equal = vdwcoex.trial_line(0.9, at["p"])
    assert equal["liquid_area"] == pytest.approx(equal["gas_area"], abs=1e-9)
    high = vdwcoex.trial_line(0.9, at["p"] + 0.01)
    assert high["liquid_area"] > high["gas_area"] and high["g_liquid_8a_per_27b"] < high["g_gas_8a_per_27b"]
    # gl - gg = 3/8 (gas area - liquid area): the identity the page shows.
    assert high["g_liquid_8a_per_27b"] - high["g_gas_8a_per_27b"] == pytest.approx(
        3 / 8 * (high["gas_area"] - high["liquid_area"]), abs=1e-9)
    for v in (high["v_liquid"], high["v_middle"], high["v_gas"]):
        assert vdwcoex.isotherm(0.9, v) == pytest.approx(high["p"], abs=1e-9)
    pressures = vdwcoex.isotherm(0.9, np.array([[1.0, 2.0], [3.0, 4.0]]))
    assert pressures.shape == (2, 2) and pressures[0, 0] == pytest.approx(0.9 * 8 / 2 - 3)


def test_errors_carry_the_console_messages(tmp_path, monkeypatch):
    for name, value in {"LANGUAGE": "", "LC_ALL": "", "LC_MESSAGES": "", "LANG": "en_GB.UTF-8"}.items():
        monkeypatch.setenv(name, value)
    refused = console(tmp_path, "--substance", "argon", "--at-temperature", "20")
    with pytest.raises(ValueError) as error:
        vdwcoex.state_at(T=20, substance="argon")
    assert str(error.value) == refused.stderr.splitlines()[0].replace("T = 20 K", "T = 20.0 K")
    with pytest.raises(ValueError, match="unknown substance|no se conoce|xenon"):
        vdwcoex.tables(substance="xenon")
    with pytest.raises(ValueError, match="out of reach"):
        vdwcoex.state_at(0.2)
    with pytest.raises(ValueError, match="three times"):
        vdwcoex.trial_line(0.9, 0.9)
    with pytest.raises(ValueError, match="needs a fluid"):
        vdwcoex.state_at(T=100)
    with pytest.raises(TypeError):
        vdwcoex.state_at(0.9, p=0.5)
    with pytest.raises(FileNotFoundError, match="no folder"):
        vdwcoex.write_reports(tmp_path / "missing")
    assert list(tmp_path.iterdir()) == []


def test_write_reports_writes_the_console_files_and_keeps_them_on_failure(tmp_path):
    ours, theirs = tmp_path / "ours", tmp_path / "theirs"
    ours.mkdir(), theirs.mkdir()
    written = vdwcoex.write_reports(ours, 2.5, csv=True, substance="water")
    assert console(theirs, "--quiet", "--csv", "--substance", "water", "--c", "2.5").returncode == 0
    assert sorted(os.path.basename(p) for p in written) == sorted(os.listdir(theirs))
    for name in os.listdir(theirs):
        assert (ours / name).read_bytes() == (theirs / name).read_bytes(), name
    # A report that cannot be written leaves every earlier one as it was.
    earlier = (ours / "vdw_coex.dat").read_bytes()
    (ours / "clatente.dat").unlink()
    (ours / "clatente.dat").mkdir()
    with pytest.raises(OSError):
        vdwcoex.write_reports(ours, 1.5)
    assert (ours / "vdw_coex.dat").read_bytes() == earlier
    assert sorted(os.listdir(ours)) == sorted(os.listdir(theirs))
    with warnings.catch_warnings(record=True) as said:
        warnings.simplefilter("always")
        vdwcoex.write_reports(theirs, -1)
    assert len(said) == 1 and "c = -1.000000" in str(said[0].message)


def test_threads_get_what_one_thread_gets(tmp_path):
    tmp_path = tmp_path / "shared"
    tmp_path.mkdir()
    cs = [1.5, 2.5, 3.5, 4.5] * 2
    alone = [vdwcoex.tables(c).properties for c in cs[:4]]
    ts = np.linspace(0.4, 0.99, 16)
    states_alone = [vdwcoex.state_at(t) for t in ts]
    with ThreadPoolExecutor(8) as pool:
        together = list(pool.map(lambda c: vdwcoex.tables(c).properties, cs))
        states = list(pool.map(vdwcoex.state_at, ts))
        written = list(pool.map(lambda k: vdwcoex.write_reports(tmp_path, cs[k], csv=True), range(8)))
    for k, frame in enumerate(together):
        pd.testing.assert_frame_equal(frame, alone[k % 4])
    assert states == states_alone
    # The files are one run's whole set, and nothing is left beside them.
    assert all(len(w) == 4 for w in written)
    assert sorted(os.listdir(tmp_path)) == ["clatente.csv", "clatente.dat", "vdw_coex.csv", "vdw_coex.dat"]
    c = float((tmp_path / "vdw_coex.dat").read_text().split("c = ")[1].split()[0])
    one_run = tmp_path / "one-run"
    one_run.mkdir()
    vdwcoex.write_reports(one_run, c, csv=True)
    for name in os.listdir(one_run):
        assert (tmp_path / name).read_bytes() == (one_run / name).read_bytes(), name


def test_without_pandas_tables_are_numpy_arrays():
    code = ("import sys; sys.modules['pandas'] = None\n"
            "import vdwcoex, numpy\n"
            "t = vdwcoex.tables(2.5)\n"
            "assert isinstance(t.coexistence['p'], numpy.ndarray)\n"
            "print(repr(t.properties['h_gas_8a_per_27b'][:3].tolist()), t.properties['state'][0])\n")
    shown = subprocess.run([sys.executable, "-c", code], capture_output=True, text=True, check=True).stdout
    frame = vdwcoex.tables(2.5).properties
    assert shown == f"{frame.h_gas_8a_per_27b[:3].tolist()!r} {frame.state[0]}\n"


def test_workbook_from_python_holds_the_reports_numbers(tmp_path):
    try:
        written = vdwcoex.write_reports(tmp_path, 2.5, xlsx=True)
    except ValueError as error:  # a build without libxlsxwriter says so, as the console does
        assert "libxlsxwriter" in str(error)
        assert list(tmp_path.iterdir()) == []
        return
    assert os.path.basename(written[-1]) == "vdwcoex.xlsx"
    checker = os.path.join(os.path.dirname(__file__), os.pardir, "cli", "check_workbook.py")
    checked = subprocess.run([sys.executable, checker, str(tmp_path)], capture_output=True, text=True)
    assert checked.returncode == 0, checked.stdout + checked.stderr


def test_a_fluid_of_ones_own_and_the_substances_as_the_console_has_them(tmp_path):
    assert console(tmp_path, "--quiet", "--tc", "300", "--pc", "5e6", "--c", "2").returncode == 0
    own = vdwcoex.tables(2, Tc=300, pc=5e6)
    assert_frame_is(own.coexistence_si, csv_cells(tmp_path / "vdw_coex_si.csv"))
    listed = console(tmp_path, "--list-substances", env={"LANG": "C"}).stdout
    table = vdwcoex.substances()
    for row in table.itertuples():
        line = next(line for line in listed.splitlines() if line.startswith(row.key + " "))
        assert f"{row.Tc_K:.9g}" in line and f"{row.pc_Pa:.9g}" in line, line
    # The reduced routes: p gives back the t whose vapour pressure it is.
    at = vdwcoex.state_at(0.7)
    assert vdwcoex.state_at(p=at["p"])["t"] == pytest.approx(0.7, abs=1e-12)
    with pytest.raises(ValueError):
        vdwcoex.state_at(0.7, Tc=300)
    with pytest.raises(ValueError):
        vdwcoex.tables(substance="argon", Tc=150, pc=4.8e6)
    with pytest.raises(ValueError):
        vdwcoex.state_at(p=1.2)


def test_threads_write_into_their_own_folders_at_once(tmp_path):
    folders = [tmp_path / str(k) for k in range(6)]
    for folder in folders:
        folder.mkdir()
    with ThreadPoolExecutor(6) as pool:
        list(pool.map(lambda k: vdwcoex.write_reports(folders[k], 1.5 + k, csv=True), range(6)))
    for k, folder in enumerate(folders):
        assert (folder / "vdw_coex.dat").read_bytes() == vdwcoex.reports(1.5 + k).coexistence
        assert sorted(os.listdir(folder)) == ["clatente.csv", "clatente.dat", "vdw_coex.csv", "vdw_coex.dat"]


def test_the_package_tested_is_the_source_with_its_type_marker():
    # The build copies the package's Python files whenever they change, not
    # only when the extension is linked again.
    source = os.path.join(os.path.dirname(__file__), os.pardir, os.pardir, "python", "vdwcoex")
    built = os.path.dirname(vdwcoex.__file__)
    for name in ("__init__.py", "py.typed"):
        with open(os.path.join(source, name), "rb") as theirs, open(os.path.join(built, name), "rb") as ours:
            assert ours.read() == theirs.read(), name


def raised(call):
    """The type and the message of what call raises."""
    with pytest.raises(Exception) as error:
        call()
    return error.type, str(error.value)


def test_errors_name_the_keywords_in_english_unless_spanish_is_asked(tmp_path, monkeypatch):
    # LANG=C, as on most Jupyter servers, makes the console Spanish, not Python.
    for name in ("LANGUAGE", "LC_ALL", "LC_MESSAGES"):
        monkeypatch.delenv(name, raising=False)
    monkeypatch.setenv("LANG", "C")
    said = {
        "needs a fluid": raised(lambda: vdwcoex.state_at(T=100)),
        "together": raised(lambda: vdwcoex.tables(substance="argon", Tc=150, pc=4.8e6)),
        "both": raised(lambda: vdwcoex.state_at(0.7, Tc=300)),
        "positive": raised(lambda: vdwcoex.tables(Tc=-1, pc=5e6)),
        "unknown": raised(lambda: vdwcoex.write_reports(tmp_path, substance="xenon")),
        "reach": raised(lambda: vdwcoex.state_at(0.2)),
    }
    assert said["needs a fluid"] == (ValueError, "vdwcoex: T needs a fluid: substance=, or Tc= (K) and pc= (Pa)")
    assert said["together"][1] == ("vdwcoex: substance= and Tc=/pc= do not go together: "
                                   "a substance or its constants")
    assert said["both"][1] == "vdwcoex: Tc= and pc= go together: both critical constants of the fluid"
    assert said["positive"][1] == "vdwcoex: Tc = -1.0 is not a positive number"
    assert "(vdwcoex.substances() shows them)" in said["unknown"][1]
    assert "is out of reach" in said["reach"][1]
    assert all(kind is ValueError and "--" not in message for kind, message in said.values())
    assert raised(lambda: vdwcoex.state_at(P=1e5, language="es"))[1] == (
        "vdwcoex: P necesita un fluido: substance=, o Tc= (K) y pc= (Pa)")
    assert "está fuera del alcance" in raised(lambda: vdwcoex.trial_line(0.2, 0.1, language="es"))[1]
    assert "van juntos" in raised(lambda: vdwcoex.tables(pc=5e6, language="es"))[1]
    with pytest.raises(ValueError, match="language"):
        vdwcoex.tables(language="fr")
    # The console, meanwhile, keeps its options and its Spanish.
    refused = console(tmp_path, "--at-temperature", "100")
    assert refused.stderr.splitlines()[0] == "vdwcoex: --at-temperature necesita un fluido: --substance NOMBRE, o --tc K y --pc Pa"
    assert list(tmp_path.iterdir()) == []


def test_a_folder_missing_or_unwritable_raises_the_os_error_for_it(tmp_path):
    with pytest.raises(FileNotFoundError) as missing:
        vdwcoex.write_reports(tmp_path / "missing")
    assert missing.value.errno == errno.ENOENT and str(missing.value).startswith("vdwcoex: no folder ")
    (tmp_path / "file").write_text("")
    with pytest.raises(NotADirectoryError):
        vdwcoex.write_reports(tmp_path / "file")
    # A folder the caller may not write in (as root, a caller who is nobody).
    shared = tempfile.mkdtemp()
    try:
        os.chmod(shared, 0o755)
        folder = os.path.join(shared, "read-only")
        os.mkdir(folder, 0o555)
        code = ("import sys, vdwcoex\n"
                "try:\n"
                "    vdwcoex.write_reports(sys.argv[1])\n"
                "except PermissionError as error:\n"
                "    print(error.errno, error)\n")
        as_user = {"user": 65534} if os.geteuid() == 0 else {}
        shown = subprocess.run([sys.executable, "-c", code, folder], capture_output=True, text=True,
                               check=True, **as_user).stdout
        assert shown.startswith(f"{errno.EACCES} vdwcoex: cannot create "), shown
        assert os.listdir(folder) == []
    finally:
        shutil.rmtree(shared)


@pytest.mark.parametrize("c", [-1.0, math.nan, 1e7])
def test_tables_warn_of_c_as_write_reports_and_the_console_do(tmp_path, c):
    with warnings.catch_warnings(record=True) as from_tables:
        warnings.simplefilter("always")
        vdwcoex.tables(c)
    with warnings.catch_warnings(record=True) as from_files:
        warnings.simplefilter("always")
        vdwcoex.write_reports(tmp_path, c)
    shown = console(tmp_path, "--quiet", "--c", repr(c), env={"LANGUAGE": "en"}).stderr.splitlines()
    assert [str(w.message) for w in from_tables] == [str(w.message) for w in from_files] == shown
    assert len(shown) == 1 and from_tables[0].filename == __file__


def test_tables_of_an_ordinary_c_warn_of_nothing():
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        vdwcoex.tables(1.5)
        vdwcoex.tables(substance="water")


def test_against_nature_is_the_consoles_nature_table(tmp_path):
    shown = console(tmp_path, "--substance", "argon", "--against-nature", "1.5", env={"LANGUAGE": "en"}).stdout
    table = vdwcoex.against_nature("Ar", 1.5)
    assert_frame_is(table, csv_cells(tmp_path / "nature_argon.csv"))
    header = [line[2:].rstrip() for line in open(tmp_path / "nature_argon.csv") if line.startswith("# ")]
    assert table.attrs["header"] == header
    zc = table.attrs["compared"]["Zc"]
    printed = next(line for line in shown.splitlines() if line.startswith("  Zc = "))
    assert printed.split()[-2:] == [f"{zc['measured']:.4g}", f"{zc['model']:.4g}"]
    # c moves none of its numbers; the substance's own is the default.
    pd.testing.assert_frame_equal(vdwcoex.against_nature("argon"), table)
    assert table["T_K"].isna().sum() == 0 and table.iloc[-1].isna().any()
    with pytest.raises(ValueError, match="no substance 'xenon'"):
        vdwcoex.against_nature("xenon")


def test_state_at_many_points_is_a_table_of_the_states_at_each():
    ts = [0.6, 0.75, 0.9]
    frame = vdwcoex.state_at(ts)
    assert isinstance(frame, pd.DataFrame) and len(frame) == 3
    for k, t in enumerate(ts):
        assert frame.iloc[k].to_dict() == vdwcoex.state_at(t)
    grid = vdwcoex.state_at(np.array([[0.6, 0.75], [0.9, 0.95]]))
    assert grid.t.tolist() == [0.6, 0.75, 0.9, 0.95]
    assert isinstance(vdwcoex.state_at(np.float64(0.9)), dict)
    argon = vdwcoex.state_at(T=np.array([100.0, 120.0]), substance="argon")
    single = vdwcoex.state_at(T=120, substance="argon")
    assert argon.attrs["substance"]["key"] == "argon" and argon.p_Pa[1] == single["p_Pa"]
    assert vdwcoex.state_at(P=(single["p_Pa"],), substance="argon").T_K[0] == pytest.approx(120, abs=1e-9)
    assert len(vdwcoex.state_at([])) == 0
    with pytest.raises(ValueError, match="t = 0.2 is out of reach"):
        vdwcoex.state_at([0.9, 0.2])


def test_every_public_function_has_type_hints_and_help_leads_with_them():
    functions = [getattr(vdwcoex, name) for name in vdwcoex.__all__ if callable(getattr(vdwcoex, name))]
    assert len(functions) == 8
    for function in functions:
        signature = inspect.signature(function)
        assert signature.return_annotation is not inspect.Signature.empty, function.__name__
        for parameter in signature.parameters.values():
            assert parameter.annotation is not inspect.Parameter.empty, (function.__name__, parameter.name)
        typing.get_type_hints(function, localns={"pandas": pd, "numpy": np})
    shown = pydoc.render_doc(vdwcoex, renderer=pydoc.plaintext)
    description = shown.split("FUNCTIONS")[0]
    assert all(f"    {function.__name__}(" in description for function in functions)
    assert "_asdict" not in shown and "_make" not in shown


def test_states_are_the_printed_rows_unrounded(tmp_path):
    assert console(tmp_path, "--quiet", "--csv", "2.5").returncode == 0
    with open(tmp_path / "vdw_coex.csv", newline="") as f:
        printed = list(csv.DictReader(f))
    with open(tmp_path / "clatente.csv", newline="") as f:
        at_coexistence = [row for row in csv.DictReader(f) if row["state"] == "coexistence"]
    states = vdwcoex.tables(2.5).states
    assert len(printed) == len(at_coexistence) == len(states)
    for row, properties, (_, state) in zip(printed, at_coexistence, states.iterrows()):
        for name, cell in [*row.items(), *properties.items()]:
            if name != "state":
                assert f"{state[name]:.6f}" == cell, (row["t"], name)
    # state_at's stability limits are the row's at its t (its searches for
    # the coexisting volumes start afresh, not from the row before, and may
    # end a unit of the last digit apart).
    limits = ["t", "v_liquid_max", "p_liquid_min", "v_gas_min", "p_gas_max"]
    for t in ("0.600000", "0.900000"):
        row = next(row for row in printed if row["t"] == t)
        state = vdwcoex.state_at(float(t))
        assert [f"{state[name]:.6f}" for name in limits] == [row[name] for name in limits]


def test_a_bool_is_no_number(tmp_path):
    calls = [lambda: vdwcoex.reports(True), lambda: vdwcoex.tables(True), lambda: vdwcoex.state_at(True),
             lambda: vdwcoex.state_at([0.9, False]), lambda: vdwcoex.state_at(np.array([True])),
             lambda: vdwcoex.trial_line(0.9, True),
             lambda: vdwcoex.isotherm(0.9, True), lambda: vdwcoex.against_nature("argon", True),
             lambda: vdwcoex.write_reports(tmp_path, True), lambda: vdwcoex.tables(Tc=True, pc=1e6)]
    for call in calls:
        with pytest.raises(TypeError, match="must be a number, not bool"):
            call()
    assert list(tmp_path.iterdir()) == []


def test_threads_writing_into_one_folder_take_turns_and_leave_one_whole_run(tmp_path, capfd):
    # While another run holds the folder, four threads ask to write in it:
    # they queue in the module, so that one of them, not each, waits for
    # that run's lock and says so, and each then commits a whole run.
    cs = [1.5, 2.5, 3.5, 4.5]
    shared, one_run = tmp_path / "shared", tmp_path / "one-run"
    shared.mkdir(), one_run.mkdir()
    held = os.open(shared, os.O_RDONLY)
    try:
        fcntl.flock(held, fcntl.LOCK_EX)
        with ThreadPoolExecutor(4) as pool:
            calls = [pool.submit(vdwcoex.write_reports, shared, c, csv=True) for c in cs]
            # Held until a thread says it waits, and a while longer, so that
            # any other thread waiting beside it says so too.
            said, waiting = "", "another run is writing in this folder"
            deadline = time.monotonic() + 60
            while waiting not in said and time.monotonic() < deadline:
                time.sleep(0.1)
                said += capfd.readouterr().err
            time.sleep(1.5)
            fcntl.flock(held, fcntl.LOCK_UN)
            written = [call.result() for call in calls]
    finally:
        os.close(held)
    assert (said + capfd.readouterr().err).count(waiting) == 1
    assert all(len(paths) == 4 for paths in written)
    assert sorted(os.listdir(shared)) == ["clatente.csv", "clatente.dat", "vdw_coex.csv", "vdw_coex.dat"]
    c = float((shared / "vdw_coex.dat").read_text().split("c = ")[1].split()[0])
    vdwcoex.write_reports(one_run, c, csv=True)
    for name in os.listdir(one_run):
        assert (shared / name).read_bytes() == (one_run / name).read_bytes(), name


def test_state_at_and_against_nature_by_each_equation_are_the_consoles(tmp_path, monkeypatch):
    for name, value in {"LANGUAGE": "", "LC_ALL": "", "LC_MESSAGES": "", "LANG": "en_GB.UTF-8"}.items():
        monkeypatch.setenv(name, value)
    for eos in ("rk", "srk", "pr"):
        shown = console(tmp_path, "--substance", "argon", "--eos", eos, "--at-temperature", "120").stdout
        state = vdwcoex.state_at(T=120, substance="argon", eos=eos)
        assert state["eos"] == eos
        assert f"p  = {state['p_Pa']:.10g} Pa" in shown
        assert f"t = T/Tc = {state['t']:.12g}" in shown
        assert f"density: liquid {state['density_liquid_kg_per_m3']:.6g} kg/m³" in shown
        assert f"latent heat {state['latent_heat_J_per_mol'] / 1000:.6g} kJ/mol" in shown
        # Back from its pressure, and the reduced t and p keywords the same state.
        assert vdwcoex.state_at(P=state["p_Pa"], substance="argon", eos=eos)["T_K"] == pytest.approx(120, abs=1e-9)
        assert vdwcoex.state_at(state["t"], substance="argon", eos=eos)["p_Pa"] == pytest.approx(state["p_Pa"], rel=1e-12)
        frame = vdwcoex.state_at(T=[100, 120], substance="argon", eos=eos)
        assert frame.attrs["eos"] == eos and frame["p_Pa"][1] == state["p_Pa"]
    # The equations differ, and vdw (or none) is the van der Waals state as ever.
    assert vdwcoex.state_at(T=120, substance="argon", eos="vdw") == vdwcoex.state_at(T=120, substance="argon")
    assert vdwcoex.state_at(T=120, substance="argon", eos="srk")["p_Pa"] != vdwcoex.state_at(
        T=120, substance="argon", eos="pr")["p_Pa"]
    # A fluid of one's own, with its omega for srk.
    own = vdwcoex.state_at(T=120, Tc=150.687, pc=4.863e6, eos="srk", omega=-0.00219)
    assert own["p_Pa"] == vdwcoex.state_at(T=120, substance="argon", eos="srk")["p_Pa"]
    # The comparison: each equation's Zc and omega as the console prints them.
    printed = console(tmp_path, "--substance", "water", "--eos", "pr", "--against-nature").stdout
    compared = vdwcoex.against_nature("water", eos="pr")
    assert list(compared["eos"]) == ["measured", "vdw", "rk", "srk", "pr"]
    zc_line = next(line for line in printed.splitlines() if line.startswith("  Zc"))
    assert zc_line.split()[-5:] == [f"{x:.4g}" if k == 0 else f"{x:.3g}" for k, x in enumerate(compared["Zc"])]
    tb = compared.attrs["compared"]["Tb_over_Tc"]["model"]
    assert f"{tb * 647.096:.2f} K)" in printed
    assert compared.attrs["compared"]["omega"]["model"] == pytest.approx(0.3443, abs=0.005)
    assert not (tmp_path / "nature_water.csv").exists()
    assert_frame_is(compared.attrs["curves"], csv_cells(tmp_path / "nature_pr_water.csv"))


def test_an_equation_without_its_fluid_or_omega_is_refused_as_the_console_refuses_it(tmp_path, monkeypatch):
    for name, value in {"LANGUAGE": "", "LC_ALL": "", "LC_MESSAGES": "", "LANG": "en_GB.UTF-8"}.items():
        monkeypatch.setenv(name, value)
    said = {
        "srk": raised(lambda: vdwcoex.state_at(0.8, eos="srk")),
        "srk own": raised(lambda: vdwcoex.state_at(T=120, Tc=150, pc=4.8e6, eos="srk")),
        "rk": raised(lambda: vdwcoex.state_at(0.8, eos="rk")),
        "unknown": raised(lambda: vdwcoex.state_at(T=120, substance="argon", eos="PR")),
        "omega": raised(lambda: vdwcoex.state_at(T=120, substance="argon", eos="pr", omega=0.1)),
        "reach": raised(lambda: vdwcoex.state_at(T=30, substance="argon", eos="rk")),
        "nature": raised(lambda: vdwcoex.against_nature("argon", eos="xx")),
    }
    assert said["srk"] == (ValueError, "vdwcoex: eos=srk needs the fluid's acentric factor: "
                                       "substance=, or Tc=, pc= and omega=")
    assert said["srk own"] == said["srk"]
    assert said["rk"] == (ValueError, "vdwcoex: eos=rk needs a fluid: substance=, or Tc= (K) and pc= (Pa)")
    assert said["unknown"][1] == "vdwcoex: no equation 'PR': eos= vdw, rk, srk or pr"
    assert "omega= goes with" in said["omega"][1]
    refused = console(tmp_path, "--substance", "argon", "--eos", "rk", "--at-temperature", "30")
    assert said["reach"][1] == refused.stderr.splitlines()[0].replace("T = 30 K", "T = 30.0 K")
    assert said["nature"][0] is ValueError
    assert all(kind is ValueError for kind, _ in said.values())
    assert list(tmp_path.iterdir()) == []


def test_an_equations_tables_lie_on_it_and_are_the_files_the_console_writes(tmp_path):
    # The constants worked out apart from the program.
    reference = os.path.join(os.path.dirname(__file__), os.pardir, "data", "cubic_reference.tsv")
    with open(reference) as f:
        omega_a, omega_b, zc = next(map(float, line.split("\t")[1:4]) for line in f if line.startswith("rk\t"))
    # rk's reduced tables need no fluid: every unrounded row is on the isotherm
    # at both volumes, v by the equation's own Vc, and the printed rows are them.
    rk = vdwcoex.tables(2.5, eos="rk")
    s = rk.states
    for v in (s["v_liquid"], s["v_gas"]):
        w = v * zc
        p = s["t"] / (w - omega_b) - omega_a / np.sqrt(s["t"]) / (w * (w + omega_b))
        assert np.allclose(p, s["p"], rtol=1e-8, atol=0)
    assert np.allclose(s["g_liquid_per_RTc"], s["g_gas_per_RTc"], rtol=0, atol=1e-9)
    assert len(rk.coexistence) == 499 and (abs(rk.coexistence["p"] - s["p"]) <= 5e-7).all()
    assert rk.coexistence_si is None and "Vc = Zc R Tc/pc" in rk.header[1]
    # With a fluid: the SI rows are the states state_at gives at their T.
    pr = vdwcoex.tables(substance="argon", eos="pr")
    row = pr.coexistence_si[pr.coexistence["t"] == 0.8].iloc[0]
    state = vdwcoex.state_at(T=row["T_K"], substance="argon", eos="pr")
    assert state["p_Pa"] == pytest.approx(row["p_Pa"], rel=1e-8)
    assert state["latent_heat_J_per_mol"] == pytest.approx(row["latent_heat_J_per_mol"], rel=1e-8)
    # srk: a fluid's omega, its own or given; none is refused as the console refuses it.
    own = vdwcoex.tables(1.5, Tc=150.687, pc=4.863e6, eos="srk", omega=-0.00219)
    assert own.coexistence.equals(vdwcoex.tables(substance="argon", eos="srk").coexistence)
    assert raised(lambda: vdwcoex.tables(eos="srk"))[1].startswith("vdwcoex: eos=srk needs the fluid's acentric")
    # The files are the console's, byte for byte.
    (tmp_path / "py").mkdir(), (tmp_path / "cli").mkdir()
    written = vdwcoex.write_reports(tmp_path / "py", 2.5, csv=True, substance="argon", eos="rk")
    assert console(tmp_path / "cli", "-q", "--csv", "--substance", "argon", "--eos", "rk", "2.5").returncode == 0
    assert sorted(os.path.basename(path) for path in written) == sorted(os.listdir(tmp_path / "cli"))
    for path in written:
        assert open(path, "rb").read() == (tmp_path / "cli" / os.path.basename(path)).read_bytes(), path
    assert (tmp_path / "py" / "rk_coex_si.csv").exists()
