# Phase diagram of the van der Waals fluid from the coexistence report.
# Run in the folder that holds vdw_coex.dat, e.g. from the repository root
# after a run there:
#     gnuplot -c plot/phase_diagram.gp
# It writes phase_diagram.png there. The diagram is the same for every c.

coex = 'vdw_coex.dat'
rows = 15          # preamble lines before the first row of vdw_coex.dat

# Without the report, stop before anything is drawn.
found = (GPVAL_SYSNAME[1:7] eq 'Windows') ? \
        system('if exist "'.coex.'" (echo 1) else (echo 0)') : \
        system('if [ -f "'.coex.'" ]; then echo 1; else echo 0; fi')
if (found != 1) {
  exit error 'no vdw_coex.dat in this folder: run vdwcoex here first'
}

set terminal pngcairo size 1400,1000 enhanced font 'DejaVu Sans,12'
set output 'phase_diagram.png'
set datafile commentschars ''
set key box opaque samplen 2 width 1
set grid lc rgb '#dddddd'

# Reduced equation of state, for the isotherms.
p(v, t) = 8*t/(3*v - 1) - 3/v**2

set multiplot title "van der Waals fluid in reduced variables" font ',15'

# p-v plane: the dome, the spinodal and a few isotherms.
set origin 0, 0.42
set size 1, 0.54
set title 'p–v plane'
set label 1 'liquid' at 0.42, 1.25 center
set label 2 'gas' at 12, 0.5 center
set label 3 'liquid + gas' at 2.2, 0.12 center
set label 4 'unstable' at 1.02, -0.3 center tc rgb '#d9531e'
set logscale x
set xrange [0.36:60]
set xtics (0.5, 1, 2, 5, 10, 20, 50)
set mxtics 10
set yrange [-0.6:1.5]
set xlabel 'v = V/V_{cr}  (logarithmic scale)'
set ylabel 'p = P/P_{cr}'
set key top right
set samples 2000
temperatures = '0.95 0.9 0.85 0.8 0.7'
colours = '#e6a100 #2a9d8f #8e5ac8 #c2185b #6d8a00'
plot for [k = 1:5] p(x, word(temperatures, k) + 0) w l lw 1.5 dt 2 \
       lc rgb word(colours, k) t 'isotherm t = '.word(temperatures, k), \
     p(x, 1) w l lw 1.5 lc rgb '#555555' t 't = 1 (critical)', \
     coex skip rows u 3:2 w l lw 2.5 lc rgb '#1f5fbf' t 'coexistence (v_l, v_g)', \
     ''   skip rows u 4:2 w l lw 2.5 lc rgb '#1f5fbf' notitle, \
     ''   skip rows u 5:6 w l lw 2 lc rgb '#d9531e' t 'spinodal (v_{lmax}, v_{gmin})', \
     ''   skip rows u 7:8 w l lw 2 lc rgb '#d9531e' notitle, \
     '+'  u (1):(1) every ::0::0 w p pt 7 ps 1.8 lc rgb 'black' t 'critical point'
unset logscale x
unset label
set xtics autofreq
set mxtics default

# p-t plane: vapour pressure and the two spinodal pressures. The liquid limit
# runs down to -4 at t = 0.5; it is cut at -1 so that the vapour pressure
# keeps a readable scale.
set origin 0, 0
set size 0.5, 0.42
set title 'p–t plane'
set xrange [0.5:1.0]
set yrange [-1:1.1]
set xlabel 't = T/T_{cr}'
set ylabel 'p = P/P_{cr}'
set key top left width 5
set label 5 'p_{lmin} goes on down to -4 at t = 0.5 (cut)' at 0.52, -0.9 left tc rgb '#7a3fb0'
plot coex skip rows u 1:2 w l lw 2.5 lc rgb '#1f5fbf' t 'vapour pressure', \
     ''   skip rows u 1:8 w l lw 2 lc rgb '#d9531e' t 'p_{gmax} (gas limit)', \
     ''   skip rows u 1:6 w l lw 2 lc rgb '#7a3fb0' t 'p_{lmin} (liquid limit)', \
     '+'  u (1):(1) every ::0::0 w p pt 7 ps 1.5 lc rgb 'black' notitle

unset label

# Latent heat.
set origin 0.5, 0
set size 0.5, 0.42
set title 'latent heat'
set xrange [0.5:1.0]
set yrange [0:*]
set xlabel 't = T/T_{cr}'
set ylabel '(h_g - h_l) · 27b/8a'
set key top right
plot coex skip rows u 1:9 w l lw 2.5 lc rgb '#1f5fbf' t 'h_g - h_l'

unset multiplot
