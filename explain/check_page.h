#pragma once

#include <string>

#include "common/clock.h"
#include "drawing/canvas.h"
#include "logic/row_set.h"
#include "minimizer/explanation.h"

namespace quendal::explain {

// What the check window shows, as it goes on paper.
struct CheckPage {
    bool checked = false;  // whether an answer was checked yet
    std::string answer;    // the answer last checked
    std::string verdict;   // what the window said about it
    std::string minimum;   // the minimum forms, only once the student asked to see them
};

// The clock whose date the check pages carry (none: no date). The Explain menu sets the main
// window's, so that the date goes through the same seam as the drawings' headers.
void setCheckPageClock(const common::Clock* clock);

// The rows of a set as the page and the window list them: "1, 3, 7", or "none".
std::string rowList(const logic::RowSet& rows);

// The page of a check: who checked it and when (the signed-in student, the clock's date), the
// function once (its 1-rows and don't-cares), the answer, the verdict and, when shown, the
// minimum, lines wrapped to the width of a page.
void drawCheckPage(drawing::Canvas& canvas, const qm::Explanation& explanation,
                   const std::string& letters, const CheckPage& page);

}  // namespace quendal::explain
