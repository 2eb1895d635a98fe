#include "app/username_key_filter.h"

namespace quendal::app {

namespace {

constexpr char32_t kEnter = 13;

}  // namespace

UsernameKeyFilter::Result UsernameKeyFilter::keyPress(char32_t key) {
    const bool wordStart = prevChar == 0 || prevChar == ' ' || prevChar == '.';
    if (key >= U'A' && key <= U'Z') {
        prevChar = 'A';
        return {Action::Accept, key};
    }
    if (key >= U'a' && key <= U'z') {
        if (wordStart) {
            prevChar = 'A';
            return {Action::Accept, key - U'a' + U'A'};
        }
        prevChar = 'a';
        return {Action::Accept, key};
    }
    if (key == U' ' || key == U'.') {
        if (wordStart) return {Action::Refuse, 0};
        prevChar = static_cast<char>(key);
        return {Action::Accept, key};
    }
    if (key == kEnter) return {Action::Ok, 0};
    return {Action::Refuse, 0};
}

}  // namespace quendal::app
