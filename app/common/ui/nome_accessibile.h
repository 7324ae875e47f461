#pragma once

class QLabel;
class QString;

// A label that shows a value (a file name, a grid division, the state of a
// computation) is read by assistive technology under the value itself: its
// accessible name is the text it shows at every moment, and the fixed
// caption that says what the value is becomes its accessible description.
//
// Qt's accessible label already reports the shown text as the name while no
// name of its own is set, and QLabel::setText then tells assistive
// technology that the name changed; a fixed name would hide the value for
// good. So the binding is: no name of its own, the caption as description.
// Call it once, when the label is made; every later setText is followed.
void lega_nome_al_testo(QLabel* etichetta, const QString& didascalia);
