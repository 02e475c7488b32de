#pragma once
// GTK for the few native dialogs, opened on first use on the main thread.
#include <gtk/gtk.h>

#include <functional>

// False when GTK cannot open the display.
bool GtkReady();
// True once something asked the game to end (a signal, the window closed).
bool QuitRequested();
// Lets GTK finish what a closed dialog left, so it leaves the screen now.
void FinishGtkEvents();
// While a modal loop runs: closes the dialog when the game is asked to end.
// Returns the source to remove with g_source_remove once the loop has ended.
guint CloseOnQuit(void (*close)(gpointer dialog), gpointer dialog);
// What puts the game window's last frame back on the screen; called while a
// dialog's loop runs, since the game cannot draw then. Null: nothing.
void RepaintDuringDialogs(std::function<void()> repaint);
