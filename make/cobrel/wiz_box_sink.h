// wiz_box_sink: the wizard's messages as message boxes owned by the form.
// A fatal message ends the program with exit code 1 once it was shown.
#pragma once

#include "make/cobrel/wiz_messages.h"

#include <windows.h>

class wiz_box_sink : public wiz_sink {
public:
    void set_owner(HWND owner) { owner_ = owner; }
    void show(wiz_level level, const std::string& title, const std::string& text) override;
    bool ask(const std::string& title, const std::string& text) override;

private:
    HWND owner_ = nullptr;
};
