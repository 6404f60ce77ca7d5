#!/usr/bin/python3
"""Reference values for the cubic equations of state, computed with mpmath.

Writes tests/data/cubic_reference.tsv to stdout:

    /usr/bin/python3 tests/data/cubic_reference.py > tests/data/cubic_reference.tsv

The equations are the family

    p = RT/(V - b) - a alpha(T) / ((V + d1 b)(V + d2 b))

    vdw  d1 = d2 = 0         alpha = 1
    rk   d1 = 1, d2 = 0      alpha = 1/sqrt(Tr)
    srk  d1 = 1, d2 = 0      alpha = [1 + m(1 - sqrt(Tr))]^2, m = 0.480 + 1.574 w - 0.176 w^2
    pr   d1,2 = 1 +- sqrt(2) alpha = [1 + m(1 - sqrt(Tr))]^2, m = 0.37464 + 1.54226 w - 0.26992 w^2

with a = Omega_a R^2 Tc^2/pc and b = Omega_b R Tc/pc.  Omega_a and Omega_b
are not the usual rounded constants: they are solved here, at high
precision, from the critical conditions.  Everything is derived and computed
in this file alone (only mpmath and data/substances.tsv are used), so the
numbers are an independent check of the program's own code.

Derivations used below (A = a alpha p/(RT)^2, B = b p/(RT), Z = pV/(RT),
u = d1 + d2, w = d1 d2):

* The equation as a cubic in Z:
      Z^3 + ((u - 1)B - 1) Z^2 + ((w - u)B^2 - uB + A) Z - (wB^3 + wB^2 + AB) = 0
  At the critical point it has a triple root Zc, i.e. it equals (Z - Zc)^3
  (this is the same as dp/dV = d2p/dV2 = 0 at Tc, pc).  Matching
  coefficients with alpha = 1, A = Omega_a, B = Omega_b:
      Zc      = (1 - (u - 1) Omega_b)/3
      Omega_a = 3 Zc^2 - (w - u) Omega_b^2 + u Omega_b
      w Omega_b^3 + w Omega_b^2 + Omega_a Omega_b = Zc^3
  The last line, with the first two put in, is one equation in Omega_b.

* Fugacity coefficient, ln phi = Z - 1 - ln Z + (1/RT) int_V^inf (p - RT/V') dV':
      ln phi = Z - 1 - ln(Z - B) - A/(B(d1 - d2)) ln((Z + d1 B)/(Z + d2 B))   (d1 != d2)
      ln phi = Z - 1 - ln(Z - B) - A/Z                                         (vdw)

* Residual enthalpy, h_res = u_res + RT(Z - 1) with
  u_res = int_inf^V [T (dp/dT)_V - p] dV' = int_inf^V (a alpha - T a alpha')/(...) dV':
      h_res = RT(Z - 1) + (T a alpha' - a alpha)/(b(d1 - d2)) ln((Z + d1 B)/(Z + d2 B))
      h_res = RT(Z - 1) - a/V                                                  (vdw)
  It is checked here two other ways: against -R T^2 (d ln phi/dT)_p by a
  numerical derivative, and h_vap against Clapeyron's equation
  dp/dT = h_vap/(T (V_vapour - V_liquid)) by a finite difference of the
  saturation pressures.  The agreement is printed as comments.

Saturation: at given T, the pressure where ln phi of the liquid (smallest
root Z of the cubic) equals ln phi of the vapour (largest root).
"""

import csv
import os
import sys

import mpmath
from mpmath import mp, mpf

mp.dps = 60          # working digits; the results are good to well over 40
R = mpf("8.314462618")  # J/(mol K), exact in the 2019 SI

SQRT2 = mp.sqrt(2)
EOS = {
    # name: (d1, d2)
    "vdw": (mpf(0), mpf(0)),
    "rk": (mpf(1), mpf(0)),
    "srk": (mpf(1), mpf(0)),
    "pr": (1 + mp.sqrt(2), 1 - mp.sqrt(2)),
}
EOS_ORDER = ["vdw", "rk", "srk", "pr"]

CASES = [("argon", "100"), ("argon", "120"), ("argon", "140"), ("water", "373.124")]


# ---------------------------------------------------------------- substances

def read_substances():
    here = os.path.dirname(os.path.abspath(__file__))
    path = os.path.join(here, "..", "..", "data", "substances.tsv")
    rows = {}
    with open(path, encoding="utf-8") as f:
        lines = [line for line in f if not line.startswith("#")]
    for row in csv.DictReader(lines, delimiter="\t"):
        rows[row["key"]] = {
            "Tc": mpf(row["Tc_K"]),
            "pc": mpf(row["pc_Pa"]),
            "M": mpf(row["M_g_per_mol"]) / 1000,  # kg/mol
            "omega": mpf(row["omega"]),
        }
    return rows


# ------------------------------------------------------- critical constants

def critical_constants(d1, d2):
    """Omega_a, Omega_b, Zc from the triple root of the cubic at Tc, pc."""
    u, w = d1 + d2, d1 * d2

    def zc(B):
        return (1 - (u - 1) * B) / 3

    def omega_a(B):
        return 3 * zc(B) ** 2 - (w - u) * B ** 2 + u * B

    def g(B):
        return w * B ** 3 + w * B ** 2 + omega_a(B) * B - zc(B) ** 3

    # g(0) = -1/27 < 0 and g grows through the physical root near 0.08-0.13:
    # bracket it and polish.
    lo, hi = mpf("0.01"), mpf("0.2")
    assert g(lo) < 0 < g(hi)
    for _ in range(40):
        mid = (lo + hi) / 2
        if g(mid) < 0:
            lo = mid
        else:
            hi = mid
    B = mp.findroot(g, (lo + hi) / 2, tol=mpf(10) ** (-mp.dps + 5))
    return omega_a(B), B, zc(B)


def check_critical(d1, d2, Oa, Ob, Zc):
    """p(Vc) = pc, dp/dV = d2p/dV2 = 0 at Tc for a made-up fluid."""
    Tc, pc = mpf(300), mpf(5e6)
    a, b = Oa * R ** 2 * Tc ** 2 / pc, Ob * R * Tc / pc
    Vc = Zc * R * Tc / pc

    def p(V):
        return R * Tc / (V - b) - a / ((V + d1 * b) * (V + d2 * b))

    scale = pc / Vc
    assert abs(p(Vc) / pc - 1) < mpf(10) ** -45
    assert abs(mp.diff(p, Vc, 1) / scale) < mpf(10) ** -40
    assert abs(mp.diff(p, Vc, 2) / (scale / Vc)) < mpf(10) ** -35


# ----------------------------------------------------------- the equations

class Cubic:
    def __init__(self, name, fluid):
        self.name = name
        self.d1, self.d2 = EOS[name]
        self.Oa, self.Ob, self.Zc = critical_constants(self.d1, self.d2)
        self.Tc, self.pc, self.M = fluid["Tc"], fluid["pc"], fluid["M"]
        om = fluid["omega"]
        self.a = self.Oa * R ** 2 * self.Tc ** 2 / self.pc
        self.b = self.Ob * R * self.Tc / self.pc
        if name == "srk":
            self.m = mpf("0.480") + mpf("1.574") * om - mpf("0.176") * om ** 2
        elif name == "pr":
            self.m = mpf("0.37464") + mpf("1.54226") * om - mpf("0.26992") * om ** 2

    def alpha(self, T):
        Tr = T / self.Tc
        if self.name == "vdw":
            return mpf(1)
        if self.name == "rk":
            return 1 / mp.sqrt(Tr)
        return (1 + self.m * (1 - mp.sqrt(Tr))) ** 2

    def dalpha_dT(self, T):
        Tr = T / self.Tc
        if self.name == "vdw":
            return mpf(0)
        if self.name == "rk":
            return -Tr ** mpf(-1.5) / (2 * self.Tc)
        s = mp.sqrt(Tr)
        return -self.m * (1 + self.m * (1 - s)) / (s * self.Tc)

    def AB(self, T, p):
        return (self.a * self.alpha(T) * p / (R * T) ** 2, self.b * p / (R * T))

    def roots(self, T, p):
        """Real roots Z > B of the cubic, ascending."""
        A, B = self.AB(T, p)
        u, w = self.d1 + self.d2, self.d1 * self.d2
        coeffs = [1, (u - 1) * B - 1, (w - u) * B ** 2 - u * B + A,
                  -(w * B ** 3 + w * B ** 2 + A * B)]
        zs = mp.polyroots(coeffs, maxsteps=200, extraprec=2 * mp.prec)
        eps = mpf(10) ** (-mp.dps // 2)
        real = sorted(mp.re(z) for z in zs if abs(mp.im(z)) < eps)
        return [z for z in real if z > B]

    def ln_phi(self, T, p, Z):
        A, B = self.AB(T, p)
        if self.d1 == self.d2:
            return Z - 1 - mp.log(Z - B) - A / Z
        return (Z - 1 - mp.log(Z - B)
                - A / (B * (self.d1 - self.d2))
                * mp.log((Z + self.d1 * B) / (Z + self.d2 * B)))

    def h_res(self, T, p, Z):
        A, B = self.AB(T, p)
        aa = self.a * self.alpha(T)
        if self.d1 == self.d2:
            V = Z * R * T / p
            return R * T * (Z - 1) - aa / V
        T_daa = T * self.a * self.dalpha_dT(T)
        return (R * T * (Z - 1) + (T_daa - aa) / (self.b * (self.d1 - self.d2))
                * mp.log((Z + self.d1 * B) / (Z + self.d2 * B)))

    # ------------------------------------------------------ saturation

    def spinodal_pressures(self, T):
        """p at the two extrema of p(V) for V > b (liquid's minimum, vapour's maximum)."""
        a, b = self.a * self.alpha(T), self.b
        u, w = self.d1 + self.d2, self.d1 * self.d2
        # dp/dV = 0:  RT (V^2 + u b V + w b^2)^2 = a (2V + u b)(V - b)^2
        q = [1, u * b, w * b ** 2]                      # V^2 + u b V + w b^2
        q2 = [q[0] ** 2, 2 * q[0] * q[1], q[1] ** 2 + 2 * q[0] * q[2],
              2 * q[1] * q[2], q[2] ** 2]
        lin = [2, u * b]                                # 2V + u b
        sq = [1, -2 * b, b ** 2]                        # (V - b)^2
        cub = [lin[0] * sq[0], lin[0] * sq[1] + lin[1] * sq[0],
               lin[0] * sq[2] + lin[1] * sq[1], lin[1] * sq[2]]
        poly = [R * T * q2[0], R * T * q2[1] - a * cub[0], R * T * q2[2] - a * cub[1],
                R * T * q2[3] - a * cub[2], R * T * q2[4] - a * cub[3]]
        vs = mp.polyroots(poly, maxsteps=200, extraprec=2 * mp.prec)
        eps = mpf(10) ** (-mp.dps // 2)
        vs = sorted(mp.re(v) for v in vs if abs(mp.im(v)) < eps * abs(v) and mp.re(v) > b)
        assert len(vs) == 2, vs

        def p(V):
            return R * T / (V - b) - a / ((V + self.d1 * b) * (V + self.d2 * b))
        return p(vs[0]), p(vs[1])

    def saturation(self, T):
        """(p, Z_liquid, Z_vapour) with equal fugacities at T."""
        p_lo, p_hi = self.spinodal_pressures(T)
        # stay inside the three-root region
        p_hi = p_hi * (1 - mpf(10) ** -12)
        p_lo = max(p_lo, mpf(0)) + (p_hi - max(p_lo, mpf(0))) * mpf(10) ** -12

        def f(p):
            r = self.roots(T, p)
            assert len(r) == 3, (self.name, T, p, r)
            return self.ln_phi(T, p, r[0]) - self.ln_phi(T, p, r[-1])

        # f > 0 where the vapour is stable (low p), < 0 where the liquid is
        assert f(p_lo) > 0 > f(p_hi)
        lo, hi = p_lo, p_hi
        for _ in range(60):
            mid = (lo + hi) / 2
            if f(mid) > 0:
                lo = mid
            else:
                hi = mid
        p = mp.findroot(f, (lo, hi), solver="secant")
        r = self.roots(T, p)
        return p, r[0], r[-1]


# ------------------------------------------------------------------ output

def fmt(x, digits):
    return mpmath.nstr(x, digits, min_fixed=-mpmath.inf, max_fixed=mpmath.inf)


def main():
    fluids = read_substances()
    out = sys.stdout
    out.write(
        "# Reference values for the cubic equations of state (vdw, rk, srk, pr) of the\n"
        "# family p = RT/(V - b) - a alpha(T)/((V + d1 b)(V + d2 b)), a = Omega_a R^2 Tc^2/pc,\n"
        "# b = Omega_b R Tc/pc. Written by tests/data/cubic_reference.py with mpmath at\n"
        "# %d working digits, independently of the program's code; R = 8.314462618 J/(mol K).\n"
        "# Omega_a, Omega_b and Zc are solved from the critical conditions (the cubic in Z\n"
        "# has a triple root at Tc, pc), not rounded textbook constants.\n"
        "# Saturation: the pressure where ln phi of the liquid (smallest root Z) equals that\n"
        "# of the vapour (largest root); densities rho = M/V with M in kg/mol; h_vap from\n"
        "# the residual enthalpies of the two phases. Tc, pc, M and omega from\n"
        "# data/substances.tsv. First table 15 significant digits, second 12.\n" % mp.dps)

    out.write("eos\tomega_a\tomega_b\tZc\n")
    for name in EOS_ORDER:
        d1, d2 = EOS[name]
        Oa, Ob, Zc = critical_constants(d1, d2)
        check_critical(d1, d2, Oa, Ob, Zc)
        out.write("\t".join([name, fmt(Oa, 15), fmt(Ob, 15), fmt(Zc, 15)]) + "\n")

    rows, checks = [], []
    for name in EOS_ORDER:
        for key, Ts in CASES:
            eos = Cubic(name, fluids[key])
            T = mpf(Ts)
            p, Zl, Zv = eos.saturation(T)
            Vl, Vv = Zl * R * T / p, Zv * R * T / p
            hvap = eos.h_res(T, p, Zv) - eos.h_res(T, p, Zl)
            rows.append([name, key, Ts, fmt(p, 12), fmt(eos.M / Vl, 12),
                         fmt(eos.M / Vv, 12), fmt(hvap, 12)])

            # check 1: Clapeyron, dp/dT by a central difference of the
            # saturation pressures (error ~ h^2, h = 1e-10 K)
            h = mpf(10) ** -10
            dpdT = (eos.saturation(T + h)[0] - eos.saturation(T - h)[0]) / (2 * h)
            h_clap = T * (Vv - Vl) * dpdT
            # check 2: h_res = -R T^2 (d ln phi/dT)_p for each phase
            def lnphi_at(Tx, which):
                r = eos.roots(Tx, p)
                return eos.ln_phi(Tx, p, r[which])
            gh = [-R * T ** 2 * mp.diff(lambda Tx: lnphi_at(Tx, k), T) for k in (0, -1)]
            h_gh = gh[1] - gh[0]
            checks.append((name, key, Ts, abs(h_clap / hvap - 1), abs(h_gh / hvap - 1)))

    out.write("eos\tsubstance\tT_K\tp_Pa\trho_liquid_kg_per_m3\trho_vapour_kg_per_m3"
              "\th_vap_J_per_mol\n")
    for r in rows:
        out.write("\t".join(r) + "\n")

    out.write("# Checks of h_vap (relative differences): Clapeyron's equation with dp/dT from\n"
              "# the saturation pressures at T +- 1e-10 K; -R T^2 (d ln phi/dT)_p of each phase.\n")
    for name, key, Ts, c1, c2 in checks:
        out.write("#   %s %s %s K: Clapeyron %s, ln phi %s\n"
                  % (name, key, Ts, mpmath.nstr(c1, 2), mpmath.nstr(c2, 2)))


if __name__ == "__main__":
    main()
