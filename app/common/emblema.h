#pragma once

#include <QImage>

// The program's emblem, a triode in its envelope, drawn on a transparent
// square of the given side: the About window shows it and the desktop icons
// are made from it.
QImage emblema(int lato);
