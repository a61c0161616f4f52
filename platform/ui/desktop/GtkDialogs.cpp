#include "platform/ui/desktop/GtkDialogs.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>

#include "platform/ui/GtkBackend.h"
#include "platform/ui/desktop/ModalWait.h"

namespace platform::ui::desktop {

namespace {

// One dialog on the screen, shared by the asking thread and GTK's signal handlers.
struct DialogRun {
  std::shared_ptr<ModalWait> wait;
  GtkDialogs::Read read;
  std::atomic<bool> abandoned{false};
  GtkWidget* dialog = nullptr;  // GTK thread only, like `done`
  bool done = false;
};
using RunRef = std::shared_ptr<DialogRun>;

void onResponse(GtkDialog* dialog, gint response, gpointer data) {
  RunRef run = *static_cast<RunRef*>(data);
  if (run->done || !run->read(GTK_WIDGET(dialog), response)) return;
  run->done = true;
  run->dialog = nullptr;
  gtk_widget_destroy(GTK_WIDGET(dialog));
  run->wait->finish();
}

void onDestroy(GtkWidget*, gpointer data) {
  RunRef run = *static_cast<RunRef*>(data);
  run->dialog = nullptr;
  if (run->done) return;
  run->done = true;  // gone with its owner: no answer
  run->wait->finish();
}

// GTK's own translation of its button texts, so the dialogs speak the desktop's language.
const char* gtkText(const char* text) { return g_dgettext("gtk30", text); }

// File name patterns match regardless of case, as users of ".MP3" files expect.
std::string anyCase(const std::string& pattern) {
  std::string out;
  for (char c : pattern) {
    unsigned char u = static_cast<unsigned char>(c);
    if (g_ascii_isalpha(u)) {
      out += '[';
      out += static_cast<char>(g_ascii_tolower(u));
      out += static_cast<char>(g_ascii_toupper(u));
      out += ']';
    } else {
      out += c;
    }
  }
  return out;
}

GtkWidget* fileChooser(const FileDialog& d, GtkFileChooserAction action, const char* accept) {
  GtkWidget* w = gtk_file_chooser_dialog_new(d.title.empty() ? nullptr : d.title.c_str(), nullptr, action,
                                             gtkText("_Cancel"), GTK_RESPONSE_CANCEL, gtkText(accept),
                                             GTK_RESPONSE_ACCEPT, nullptr);
  auto* chooser = GTK_FILE_CHOOSER(w);
  gtk_dialog_set_default_response(GTK_DIALOG(w), GTK_RESPONSE_ACCEPT);
  gtk_file_chooser_set_local_only(chooser, TRUE);
  for (const FileFilter& f : d.filters) {
    GtkFileFilter* filter = gtk_file_filter_new();
    gtk_file_filter_set_name(filter, f.name.c_str());
    for (const std::string& p : f.patterns) gtk_file_filter_add_pattern(filter, anyCase(p).c_str());
    gtk_file_chooser_add_filter(chooser, filter);
  }
  if (!d.folder.empty()) gtk_file_chooser_set_current_folder(chooser, d.folder.c_str());
  return w;
}

std::string takeFilename(GtkWidget* dialog) {
  gchar* name = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog));
  std::string path = name ? name : "";
  g_free(name);
  return path;
}

// Asks before a file is replaced whose name the dialog itself could not check (because the
// extension was added after it closed). GTK thread.
bool mayReplace(GtkWidget* parent, const std::string& path) {
  gchar* base = g_path_get_basename(path.c_str());
  gchar* shown = g_filename_display_name(base);
  GtkWidget* ask = gtk_message_dialog_new(GTK_WINDOW(parent), GTK_DIALOG_MODAL, GTK_MESSAGE_QUESTION,
                                          GTK_BUTTONS_YES_NO,
                                          gtkText("A file named “%s” already exists.  Do you want to replace it?"),
                                          shown);
  gtk_window_group_add_window(gtk_window_get_group(GTK_WINDOW(parent)), GTK_WINDOW(ask));
  bool yes = gtk_dialog_run(GTK_DIALOG(ask)) == GTK_RESPONSE_YES;
  gtk_widget_destroy(ask);
  g_free(shown);
  g_free(base);
  return yes;
}

}  // namespace

bool GtkDialogs::run(WindowSystem& ws, Handle owner, Build build, Read read) {
  auto run = std::make_shared<DialogRun>();
  run->wait = std::make_shared<ModalWait>(ws, owner);
  run->read = std::move(read);
  backend_.postToGtk([this, run, owner, build = std::move(build)] {
    if (run->abandoned) return;
    GtkWidget* dialog = build();
    run->dialog = dialog;
    // Modal within a window group of its own and its owner's: our other windows go on.
    GtkWindowGroup* group = gtk_window_group_new();
    gtk_window_group_add_window(group, GTK_WINDOW(dialog));
    GtkWidget* parent = backend_.widgetOf(owner);
    if (parent) gtk_window_group_add_window(group, GTK_WINDOW(parent));
    g_object_unref(group);
    // A hidden owner (iconized to the tray) would take a dialog that belongs to it out of sight.
    if (parent && gtk_widget_get_mapped(parent)) {
      gtk_window_set_transient_for(GTK_WINDOW(dialog), GTK_WINDOW(parent));
      gtk_window_set_destroy_with_parent(GTK_WINDOW(dialog), TRUE);
    }
    gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
    auto free = [](gpointer p, GClosure*) { delete static_cast<RunRef*>(p); };
    g_signal_connect_data(dialog, "response", G_CALLBACK(onResponse), new RunRef(run), free, GConnectFlags{});
    g_signal_connect_data(dialog, "destroy", G_CALLBACK(onDestroy), new RunRef(run), free, GConnectFlags{});
    gtk_window_present(GTK_WINDOW(dialog));
  });
  if (run->wait->wait()) return true;
  run->abandoned = true;
  backend_.postToGtk([run] {
    if (run->dialog && !run->done) {
      run->done = true;
      gtk_widget_destroy(run->dialog);
    }
  });
  return false;
}

std::vector<std::string> GtkDialogs::openFiles(WindowSystem& ws, Handle owner, const FileDialog& d) {
  auto chosen = std::make_shared<std::vector<std::string>>();
  bool answered = run(
      ws, owner,
      [d] {
        GtkWidget* w = fileChooser(d, GTK_FILE_CHOOSER_ACTION_OPEN, "_Open");
        gtk_file_chooser_set_select_multiple(GTK_FILE_CHOOSER(w), d.multiple);
        return w;
      },
      [chosen](GtkWidget* dialog, int response) {
        if (response != GTK_RESPONSE_ACCEPT) return true;
        GSList* names = gtk_file_chooser_get_filenames(GTK_FILE_CHOOSER(dialog));
        for (GSList* n = names; n; n = n->next) chosen->emplace_back(static_cast<char*>(n->data));
        g_slist_free_full(names, g_free);
        return true;
      });
  return answered ? *chosen : std::vector<std::string>{};
}

std::optional<std::string> GtkDialogs::chooseFolder(WindowSystem& ws, Handle owner, const std::string& title,
                                                    const std::string& folder) {
  auto chosen = std::make_shared<std::optional<std::string>>();
  FileDialog d;
  d.title = title;
  d.folder = folder;
  bool answered = run(
      ws, owner, [d] { return fileChooser(d, GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER, "_Select"); },
      [chosen](GtkWidget* dialog, int response) {
        if (response == GTK_RESPONSE_ACCEPT) {
          std::string path = takeFilename(dialog);
          if (!path.empty()) *chosen = path;
        }
        return true;
      });
  return answered ? *chosen : std::nullopt;
}

std::optional<std::string> GtkDialogs::saveFile(WindowSystem& ws, Handle owner, const FileDialog& d) {
  auto chosen = std::make_shared<std::optional<std::string>>();
  bool answered = run(
      ws, owner,
      [d] {
        GtkWidget* w = fileChooser(d, GTK_FILE_CHOOSER_ACTION_SAVE, "_Save");
        gtk_file_chooser_set_do_overwrite_confirmation(GTK_FILE_CHOOSER(w), d.confirmOverwrite);
        if (!d.suggestedName.empty()) gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(w), d.suggestedName.c_str());
        return w;
      },
      [chosen, d](GtkWidget* dialog, int response) {
        if (response != GTK_RESPONSE_ACCEPT) return true;
        std::string path = takeFilename(dialog);
        if (path.empty()) return true;
        std::string base = path.substr(path.find_last_of('/') + 1);
        if (!d.defaultExtension.empty() && base.find('.') == std::string::npos) {
          path += d.defaultExtension;
          if (d.confirmOverwrite && g_file_test(path.c_str(), G_FILE_TEST_EXISTS) && !mayReplace(dialog, path))
            return false;
        }
        *chosen = path;
        return true;
      });
  return answered ? *chosen : std::nullopt;
}

std::optional<Color> GtkDialogs::chooseColor(WindowSystem& ws, Handle owner, Color initial) {
  auto chosen = std::make_shared<std::optional<Color>>();
  bool answered = run(
      ws, owner,
      [initial] {
        GtkWidget* w = gtk_color_chooser_dialog_new(nullptr, nullptr);
        gtk_color_chooser_set_use_alpha(GTK_COLOR_CHOOSER(w), FALSE);
        GdkRGBA rgba{redOf(initial) / 255.0, greenOf(initial) / 255.0, blueOf(initial) / 255.0, 1.0};
        gtk_color_chooser_set_rgba(GTK_COLOR_CHOOSER(w), &rgba);
        return w;
      },
      [chosen](GtkWidget* dialog, int response) {
        if (response != GTK_RESPONSE_OK) return true;
        GdkRGBA rgba;
        gtk_color_chooser_get_rgba(GTK_COLOR_CHOOSER(dialog), &rgba);
        auto channel = [](double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
        *chosen = rgb(channel(rgba.red), channel(rgba.green), channel(rgba.blue));
        return true;
      });
  return answered ? *chosen : std::nullopt;
}

bool GtkDialogs::messageBox(WindowSystem& ws, Handle owner, MessageKind kind, const std::string& caption,
                            const std::string& text) {
  auto yes = std::make_shared<bool>(kind != MessageKind::kQuestion);
  bool answered = run(
      ws, owner,
      [kind, caption, text] {
        GtkMessageType type = kind == MessageKind::kQuestion  ? GTK_MESSAGE_QUESTION
                              : kind == MessageKind::kError   ? GTK_MESSAGE_ERROR
                              : kind == MessageKind::kWarning ? GTK_MESSAGE_WARNING
                                                              : GTK_MESSAGE_INFO;
        GtkWidget* w = gtk_message_dialog_new(nullptr, GtkDialogFlags{}, type,
                                              kind == MessageKind::kQuestion ? GTK_BUTTONS_YES_NO : GTK_BUTTONS_OK,
                                              "%s", text.c_str());
        gtk_window_set_title(GTK_WINDOW(w), caption.c_str());
        return w;
      },
      [yes, kind](GtkWidget*, int response) {
        if (kind == MessageKind::kQuestion) *yes = response == GTK_RESPONSE_YES;
        return true;
      });
  return answered ? *yes : kind != MessageKind::kQuestion;
}

}  // namespace platform::ui::desktop
