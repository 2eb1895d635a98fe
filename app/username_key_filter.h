#pragma once

namespace quendal::app {

// The typing rules of the user-name box: the first letter of the name and
// every letter after a space or full stop become capitals, a space or full
// stop needs a character before it that is neither, and nothing else but
// letters and Enter is taken. The filter follows accepted keys only; it
// knows nothing of the caret or of text removed by other means.
class UsernameKeyFilter {
public:
    enum class Action { Accept, Refuse, Ok };
    struct Result {
        Action action;
        char32_t key;  // the key to insert when accepted (maybe made a capital)
    };

    Result keyPress(char32_t key);
    // Forget what was typed: the next letter is a capital again.
    void reset() { prevChar = 0; }

    // Class of the last accepted character: 0 (nothing yet), 'A' (a capital
    // or a letter that started a word), 'a' (a small letter inside a word),
    // ' ' or '.'.
    char prevChar = 0;
};

}  // namespace quendal::app
