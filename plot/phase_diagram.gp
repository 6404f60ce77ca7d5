# Phase diagram of the van der Waals fluid from the two reports.
# Run in the folder that holds vdw_coex.dat and clatente.dat:
#     gnuplot -c <repo>/plot/phase_diagram.gp
# It writes phase_diagram.png there.

coex = 'vdw_coex.dat'
rows = 15          # preamble lines before the first row of vdw_coex.dat

set terminal pngcairo size 1400,1000 enhanced font 'DejaVu Sans,12'
set output 'phase_diagram.png'
set datafile commentschars ''
set key box opaque samplen 2
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
set yrange [-0.6:1.5]
set xlabel 'v = V/V_{cr}'
set ylabel 'p = P/P_{cr}'
set key top right
set samples 2000
plot for [t in '0.95 0.9 0.85 0.8 0.7'] p(x, t+0) w l lw 1 lc rgb '#9999bb' dt 2 t 't = '.t, \
     p(x, 1) w l lw 1.5 lc rgb '#555555' t 't = 1 (critical)', \
     coex skip rows u 3:2 w l lw 2.5 lc rgb '#1f5fbf' t 'coexistence (v_l, v_g)', \
     ''   skip rows u 4:2 w l lw 2.5 lc rgb '#1f5fbf' notitle, \
     ''   skip rows u 5:6 w l lw 2 lc rgb '#d9531e' t 'spinodal (v_{lmax}, v_{gmin})', \
     ''   skip rows u 7:8 w l lw 2 lc rgb '#d9531e' notitle, \
     '+'  u (1):(1) every ::0::0 w p pt 7 ps 1.8 lc rgb 'black' t 'critical point'
unset logscale x
unset label

# p-t plane: vapour pressure and the two spinodal pressures.
set origin 0, 0
set size 0.5, 0.42
set title 'p–t plane'
set xrange [0.5:1.0]
set yrange [-4.2:1.1]
set xlabel 't = T/T_{cr}'
set ylabel 'p = P/P_{cr}'
set key bottom right
plot coex skip rows u 1:2 w l lw 2.5 lc rgb '#1f5fbf' t 'vapour pressure', \
     ''   skip rows u 1:8 w l lw 2 lc rgb '#d9531e' t 'p_{gmax} (gas limit)', \
     ''   skip rows u 1:6 w l lw 2 lc rgb '#7a3fb0' t 'p_{lmin} (liquid limit)', \
     '+'  u (1):(1) every ::0::0 w p pt 7 ps 1.5 lc rgb 'black' notitle

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
