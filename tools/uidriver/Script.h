#pragma once
// The driver's script: what to do with each window the watched program shows, in order.
//
//   box press <answer>       press the button of that answer (OK, Cancel, Yes, No...) in the next message box
//   box escape               press Escape in the next message box
//   box close                close the next message box by its window's close command
//   dialog click <caption>   click the option button of that caption in the dialog
//   dialog press <caption>   press the push button of that caption
//   dialog close             close the dialog by its window's close command
//   <box|dialog> key <key>   type a key (Up, Down, Left, Right, Tab, Space, Enter, Escape) into the control
//                            that has the keyboard focus, as the keyboard would
//   <box|dialog> focus <caption>  wait (at most 5 s) until the control of that caption (a box: of that answer)
//                            has the keyboard focus and the window stands still, then write the window with it
//   <box|dialog> shot <name> take a screenshot of the screen while the window shows (see tools/common/ScreenshotRequest.h)
//
// "click", "focus" and "shot" keep the window for the next line; "key" keeps it when the next line is for
// the same kind of window; the other actions end with the window. Typed keys are taken in order, so a
// "focus" line also waits for every key typed before it.
// Empty lines and lines starting with '#' are ignored.
#include <optional>
#include <string>
#include <vector>

namespace uidriver {

struct Action {
    enum class Target { Box, Dialog };
    enum class Verb { Press, Escape, Close, Click, Shot, Key, Focus };
    Target target = Target::Box;
    Verb verb = Verb::Press;
    std::wstring argument;  // caption, key name or screenshot name
    int line = 0;

    bool endsWindow() const { return verb == Verb::Press || verb == Verb::Escape || verb == Verb::Close; }
    std::wstring text() const;
};

// Reads a script; the error message names the line that cannot be read.
std::optional<std::vector<Action>> parseScript(const std::wstring& text, std::wstring& error);

}  // namespace uidriver
