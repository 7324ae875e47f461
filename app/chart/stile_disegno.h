#pragma once

// How the chart draws its objects, shared by every file of the engine.

// Pen widths: lines and point boxes 2 px, calibration markers 4 px, whose
// legs are 30 px long.
inline constexpr int spessore_oggetti = 2;
inline constexpr int spessore_marker = 4;
inline constexpr int lato_marker = 30;

// Palette colours of the labels: lines green, working points brown, gain
// points magenta.
inline constexpr int colore_etichetta_retta = 2;
inline constexpr int colore_etichetta_lavoro = 6;
inline constexpr int colore_etichetta_guadagno = 5;
