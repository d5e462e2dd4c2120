#pragma once

#include <string>
#include <string_view>

// Colour and weight for what a person reads on a terminal. Off unless the stream is a terminal,
// and off there too when NO_COLOR is set to anything (no-color.org) or TERM is "dumb": text that
// goes to a file or a pipe carries no escape sequence at all.
class TextStyle {
public:
    // For the stream with that descriptor (1 or 2), decided once per run.
    static const TextStyle& of(int fd);

    std::string bold(std::string_view text) const { return wrapped("1", text); }
    std::string dim(std::string_view text) const { return wrapped("2", text); }
    std::string red(std::string_view text) const { return wrapped("31", text); }
    std::string green(std::string_view text) const { return wrapped("32", text); }

private:
    explicit TextStyle(bool on) : on_(on) {}
    std::string wrapped(std::string_view code, std::string_view text) const;

    bool on_;
};
