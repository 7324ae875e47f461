#pragma once

#include <QIcon>

class QAction;
class QWidget;

// Puts a picture beside every menu item of the window whose text equals the
// given item's caption ("&" markers included). Returns how many items got it.
int SetIconMenu(QWidget* finestra, const QAction* voce, const QIcon& immagine);

// The bitmaps of the main window's menus, loaded from the program folder. A
// bitmap that cannot be loaded ends the decoration there; the start-up goes on.
class KORVEL;
void imposta_icone_menu(KORVEL& finestra);
