#include "explain/explain_subject.h"

namespace quendal::explain {

std::string lettersOf(const drawing::FunctionView& view) {
    std::string letters;
    for (int i = 0; i < view.function.width; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        letters += at < view.letters.size() ? view.letters[at] : logic::kDefaultLetters[at];
    }
    return letters;
}

ExplainSubject subjectOf(const drawing::FunctionView& view) {
    ExplainSubject subject;
    subject.function = view.function;
    subject.letters = lettersOf(view);
    if (view.minimumProven && view.function.width >= 1 && view.function.width <= logic::kMaxWidth)
        subject.minimum = view.minimum;
    return subject;
}

std::string outputName(const std::string& letters) {
    for (const char name : std::string("YZWQFGHIJKLMNOPRSTUVXABCDE"))
        if (letters.find(name) == std::string::npos) return std::string(1, name);
    return "Out";  // every letter taken
}

std::string functionName(const std::string& letters) {
    std::string name = outputName(letters) + "(";
    for (std::size_t i = 0; i < letters.size(); ++i) {
        if (i > 0) name += ',';
        name += letters[i];
    }
    return name + ")";
}

}  // namespace quendal::explain
