#pragma once
#include <string>

enum class DialogButtons { Ok, OkCancel };
enum class DialogIcon { None, Error };
enum class DialogResult { Ok, Cancel };

// Modal message boxes. Texts are UTF-8.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual DialogResult ShowMessageBox(const std::string& text, const std::string& caption,
                                        DialogButtons buttons, DialogIcon icon) = 0;
};
