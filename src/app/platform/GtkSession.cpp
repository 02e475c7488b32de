#include "app/platform/GtkSession.h"

#include <SDL.h>

namespace {
// Often enough that an uncovered window does not stay blank for long.
constexpr guint kQuitPollMs = 100;

std::function<void()>& Repaint() {
    static std::function<void()> repaint;
    return repaint;
}

struct QuitWatch {
    void (*close)(gpointer);
    gpointer dialog;
};
}  // namespace

bool GtkReady() {
    static const bool ready = [] {
        // GTK would switch the C locale, and with it how numbers are read.
        gtk_disable_setlocale();
        return gtk_init_check(nullptr, nullptr) != FALSE;
    }();
    return ready;
}

bool QuitRequested() {
    // SDL turns a pending signal into its quit event here.
    SDL_PumpEvents();
    return SDL_HasEvent(SDL_QUIT) == SDL_TRUE;
}

void FinishGtkEvents() {
    while (gtk_events_pending())
        gtk_main_iteration();
}

void RepaintDuringDialogs(std::function<void()> repaint) {
    Repaint() = std::move(repaint);
}

guint CloseOnQuit(void (*close)(gpointer), gpointer dialog) {
    auto* watch = new QuitWatch{close, dialog};
    return g_timeout_add_full(
        G_PRIORITY_DEFAULT, kQuitPollMs,
        [](gpointer data) -> gboolean {
            auto* w = static_cast<QuitWatch*>(data);
            if (QuitRequested()) w->close(w->dialog);
            if (Repaint()) Repaint()();
            return G_SOURCE_CONTINUE;
        },
        watch, [](gpointer data) { delete static_cast<QuitWatch*>(data); });
}
