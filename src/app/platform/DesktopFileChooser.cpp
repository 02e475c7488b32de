#include "app/platform/DesktopFileChooser.h"

#include <cstdio>
#include <filesystem>

#include "app/platform/GtkSession.h"

std::optional<std::string> DesktopFileChooser::ChooseFile(const std::string& title,
                                                          const std::vector<Filter>& filters,
                                                          const std::string& initialPath) {
    if (QuitRequested()) return std::nullopt;
    if (!GtkReady()) {
        std::fprintf(stderr, "velmora: no file dialog: GTK cannot open the display\n");
        return std::nullopt;
    }
    GtkFileChooserNative* native = gtk_file_chooser_native_new(
        title.c_str(), nullptr, GTK_FILE_CHOOSER_ACTION_OPEN, nullptr, nullptr);
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(native);
    gtk_file_chooser_set_local_only(chooser, TRUE);
    for (const Filter& f : filters) {
        GtkFileFilter* filter = gtk_file_filter_new();
        gtk_file_filter_set_name(filter, f.name.c_str());
        for (const std::string& pattern : FilterPatterns(f))
            gtk_file_filter_add_pattern(filter, pattern.c_str());
        gtk_file_chooser_add_filter(chooser, filter);
        if (&f == &filters.front()) gtk_file_chooser_set_filter(chooser, filter);
    }
    if (!initialPath.empty()) {
        std::error_code ignored;
        gtk_file_chooser_set_filename(chooser,
                                      std::filesystem::absolute(initialPath, ignored).c_str());
    }
    guint watch = CloseOnQuit(
        [](gpointer dialog) { gtk_native_dialog_hide(GTK_NATIVE_DIALOG(dialog)); }, native);
    gint response = gtk_native_dialog_run(GTK_NATIVE_DIALOG(native));
    g_source_remove(watch);

    std::optional<std::string> chosen;
    if (response == GTK_RESPONSE_ACCEPT) {
        if (char* name = gtk_file_chooser_get_filename(chooser)) {
            chosen = name;
            g_free(name);
        }
    }
    g_object_unref(native);
    FinishGtkEvents();
    if (owner) SDL_RaiseWindow(owner);
    return chosen;
}
