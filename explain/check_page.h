#pragma once

#include <string>

#include "drawing/canvas.h"
#include "minimizer/explanation.h"

namespace quendal::explain {

// What the check window shows, as it goes on paper.
struct CheckPage {
    bool checked = false;  // whether an answer was checked yet
    std::string answer;    // the answer last checked
    std::string verdict;   // what the window said about it
    std::string minimum;   // the minimum forms, only once the student asked to see them
};

// The page of a check: the function (its 1-rows and don't-cares), the answer, the verdict and,
// when shown, the minimum, lines wrapped to the width of a page.
void drawCheckPage(drawing::Canvas& canvas, const qm::Explanation& explanation,
                   const std::string& letters, const CheckPage& page);

}  // namespace quendal::explain
