#include "explain/check_page.h"

#include <sstream>
#include <vector>

#include "common/session.h"
#include "explain/explain_subject.h"
#include "explain/sized_drawing.h"

namespace quendal::explain {

namespace {

constexpr int kMargin = 240;
constexpr int kIndent = 360;
// The text's width on a portrait page of the default canvas.
constexpr int kTextWidth = 9000;

const common::Clock* pageClock = nullptr;

// Splits a text into lines no wider than `width` at spaces (a word wider than a line gets one
// of its own); a line break in the text starts a new line.
std::vector<std::string> wrapped(const drawing::Canvas& canvas, const std::string& text,
                                 int width) {
    std::vector<std::string> lines;
    std::istringstream paragraphs(text);
    std::string paragraph;
    while (std::getline(paragraphs, paragraph)) {
        std::istringstream words(paragraph);
        std::string word, line;
        while (words >> word) {
            const std::string longer = line.empty() ? word : line + " " + word;
            if (!line.empty() && canvas.textWidth(longer) > width) {
                lines.push_back(line);
                line = word;
            } else {
                line = longer;
            }
        }
        lines.push_back(line);
    }
    return lines;
}

void drawPage(drawing::Canvas& canvas, const qm::Explanation& e, const std::string& letters,
              const CheckPage& page) {
    const int lh = canvas.lineHeight();
    int y = kMargin;
    auto say = [&](const std::string& text, int indent) {
        for (const std::string& line : wrapped(canvas, text, kTextWidth - indent)) {
            canvas.printAt(kMargin + indent, y, {line});
            y += lh;
        }
    };
    say("Check my answer", 0);
    std::string who = "Student: " + common::Session::current().UserName;
    if (pageClock) who += "      Date: " + common::headerDate(pageClock->now());
    canvas.printAt(kMargin, y, {who});  // as it is: wrapping would close up the gap
    y += lh;
    y += lh / 2;
    say(functionName(letters) + ":", 0);
    say("1-rows: " + rowList(e.function.on), kIndent);
    say("Don't-cares: " + rowList(e.function.dc), kIndent);
    y += lh / 2;
    if (!page.checked) {
        say("No answer has been checked.", 0);
    } else {
        say("Answer: " + outputName(letters) + " = " + page.answer, 0);
        y += lh / 2;
        say(page.verdict, kIndent);
    }
    if (!page.minimum.empty()) {
        y += lh / 2;
        say(page.minimum, 0);
    }
}

}  // namespace

std::string rowList(const logic::RowSet& rows) {
    std::string text;
    rows.forEach([&](int row) { text += (text.empty() ? "" : ", ") + std::to_string(row); });
    return text.empty() ? "none" : text;
}

void setCheckPageClock(const common::Clock* clock) {
    pageClock = clock;
}

void drawCheckPage(drawing::Canvas& canvas, const qm::Explanation& explanation,
                   const std::string& letters, const CheckPage& page) {
    drawSized(canvas,
              [&](drawing::Canvas& target) { drawPage(target, explanation, letters, page); });
}

}  // namespace quendal::explain
