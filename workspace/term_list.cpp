#include "workspace/term_list.h"

#include <charconv>
#include <utility>

namespace {

int numericValue(const std::string& text) {
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace

TermList SortArray(TermList& fnarray, int lowerbound) {
    const std::size_t last = fnarray.size();
    for (std::size_t i = lowerbound > 0 ? static_cast<std::size_t>(lowerbound - 1) : 0;
         i + 1 < last; ++i) {
        for (std::size_t j = i + 1; j < last; ++j) {
            if (numericValue(fnarray[i]) > numericValue(fnarray[j])) {
                std::swap(fnarray[i], fnarray[j]);
            }
        }
    }
    return fnarray;
}

std::string joinTerms(const TermList& list) {
    std::string out;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0) out += ',';
        out += list[i];
    }
    return out;
}

TermList splitTerms(const std::string& text) {
    TermList list;
    if (text.empty()) return list;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        list.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return list;
}

std::vector<int> termNumbers(const TermList& list) {
    std::vector<int> numbers;
    numbers.reserve(list.size());
    for (const std::string& text : list) numbers.push_back(numericValue(text));
    return numbers;
}
