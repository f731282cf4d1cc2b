// wiz_messages: the wizard's message boxes. The library formats the texts
// and counts the errors; a sink supplied by the program shows them (the
// window program as message boxes, tests by recording them).
#pragma once

#include <string>

enum wiz_level {
    WIZ_INFO,     // information icon, the caller's title
    WIZ_WARNING,  // "Warning", exclamation icon
    WIZ_ERROR,    // "Error", exclamation icon, counted
    WIZ_FATAL,    // "Fatal Error", stop icon; the program ends with exit code 1
};

class wiz_sink {
public:
    virtual ~wiz_sink() = default;
    // Shows one message. For WIZ_FATAL the window program ends itself here;
    // the library never ends the process and returns from the operation.
    virtual void show(wiz_level level, const std::string& title, const std::string& text) = 0;
    // An OK/Cancel question with the question icon; true for OK.
    virtual bool ask(const std::string& title, const std::string& text) = 0;
};

// Errors since the last reset end the program at this count.
const int wiz_error_limit = 10;

class wiz_messages {
public:
    explicit wiz_messages(wiz_sink& sink) : sink_(sink) {}

    void fatal_box(const char* format, ...)
#ifdef __GNUC__
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    // Counted; the tenth since the last reset is followed by the fatal
    // "Too many errors".
    void error_box(const char* format, ...)
#ifdef __GNUC__
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    void warning_box(const char* format, ...)
#ifdef __GNUC__
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    void info_box(const std::string& title, const std::string& text);
    bool ask_box(const std::string& title, const std::string& text);

    int error_count() const { return error_count_; }
    void reset_errors() { error_count_ = 0; }
    // True once a fatal message was shown (the program has ended by then;
    // operations stop early so that tests see no further effect).
    bool fatal_shown() const { return fatal_shown_; }

private:
    wiz_sink& sink_;
    int error_count_ = 0;
    bool fatal_shown_ = false;
};

// printf-style formatting into a string of any length.
std::string wiz_format(const char* format, ...)
#ifdef __GNUC__
    __attribute__((format(printf, 1, 2)))
#endif
    ;
