#include "app/platform/GtkDialogs.h"

#include <cstdio>

#include "app/platform/GtkSession.h"

DialogResult GtkDialogs::ShowMessageBox(const std::string& text, const std::string& caption,
                                        DialogButtons buttons, DialogIcon icon) {
    const DialogResult safe =
        buttons == DialogButtons::Ok ? DialogResult::Ok : DialogResult::Cancel;
    if (QuitRequested()) {
        // The game is ending: say it where it can still be read.
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        return safe;
    }
    if (!GtkReady()) return fallback.ShowMessageBox(text, caption, buttons, icon);

    GtkWidget* box = gtk_message_dialog_new(
        nullptr, GTK_DIALOG_MODAL,
        icon == DialogIcon::Error ? GTK_MESSAGE_ERROR : GTK_MESSAGE_OTHER,
        buttons == DialogButtons::Ok ? GTK_BUTTONS_OK : GTK_BUTTONS_OK_CANCEL, "%s", text.c_str());
    gtk_window_set_title(GTK_WINDOW(box), caption.c_str());
    gtk_window_set_position(GTK_WINDOW(box), GTK_WIN_POS_CENTER);
    gtk_window_set_keep_above(GTK_WINDOW(box), TRUE);
    guint watch = CloseOnQuit(
        [](gpointer dialog) { gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_DELETE_EVENT); },
        box);
    gint response = gtk_dialog_run(GTK_DIALOG(box));
    g_source_remove(watch);
    gtk_widget_destroy(box);
    FinishGtkEvents();
    if (owner) SDL_RaiseWindow(owner);
    if (response == GTK_RESPONSE_OK) return DialogResult::Ok;
    return buttons == DialogButtons::Ok ? DialogResult::Ok : DialogResult::Cancel;
}
