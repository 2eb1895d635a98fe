// Seeded random inputs, mostly broken: reading either rejects them with a one-line InputError
// or gives a function whose minimum cover is valid. Nothing else may happen (crash, other
// exception, endless run).

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "minimizer/input_format.h"
#include "minimizer/minimize.h"
#include "tests/minimizer/reference_minimizer.h"

namespace {

qm_test::TruthTable tableOf(const logic::Function& function) {
    qm_test::TruthTable table{function.width,
                              std::vector<char>(1U << function.width, qm_test::kOff)};
    for (int row = 0; row < (1 << function.width); ++row) {
        if (function.on.test(row)) table.rows[row] = qm_test::kOn;
        if (function.dc.test(row)) table.rows[row] = qm_test::kDontCare;
    }
    return table;
}

// A valid file of random width and lines, then a few random edits.
std::string mutatedInput(std::mt19937& random) {
    const char alphabet[] = {'0', '1', '-', 'd', 'D', '\r', '\n', ' ', '\0', 'x', '\xFF', '\t'};
    std::uniform_int_distribution<int> widthPick(1, 9);
    std::uniform_int_distribution<int> linesPick(0, 12);
    std::uniform_int_distribution<int> codePick(0, 2);
    std::uniform_int_distribution<int> coin(0, 3);
    std::string text;
    const int width = widthPick(random);
    const int lines = linesPick(random);
    for (int line = 0; line < lines; ++line) {
        for (int column = 0; column < width; ++column) text += "01-"[codePick(random)];
        if (coin(random) == 0) text += 'd';
        if (line + 1 < lines || coin(random) == 0) text += coin(random) == 0 ? "\n" : "\r\n";
    }
    std::uniform_int_distribution<int> editsPick(0, 3);
    const int edits = text.empty() ? 0 : editsPick(random);
    for (int edit = 0; edit < edits; ++edit) {
        std::uniform_int_distribution<std::size_t> at(0, text.size() - 1);
        std::uniform_int_distribution<std::size_t> charPick(0, sizeof alphabet - 1);
        switch (coin(random)) {
            case 0: text[at(random)] = alphabet[charPick(random)]; break;
            case 1:
                text.insert(text.begin() + static_cast<long>(at(random)),
                            alphabet[charPick(random)]);
                break;
            case 2: text.erase(at(random), 1); break;
            default: break;
        }
        if (text.empty()) break;
    }
    return text;
}

std::string randomBytes(std::mt19937& random) {
    std::uniform_int_distribution<int> lengthPick(0, 64);
    std::uniform_int_distribution<int> bytePick(0, 255);
    std::string text(static_cast<std::size_t>(lengthPick(random)), '\0');
    for (char& c : text) c = static_cast<char>(bytePick(random));
    return text;
}

TEST(FuzzInput, ReadingRejectsOrYieldsAValidMinimum) {
    std::mt19937 random(20240611U);
    int accepted = 0, rejected = 0;
    for (int round = 0; round < 20000; ++round) {
        const std::string text = round % 5 == 4 ? randomBytes(random) : mutatedInput(random);
        logic::Function function;
        try {
            function = qm::parseFunction(text, "in.txt");
        } catch (const qm::InputError& error) {
            const std::string message = error.what();
            ASSERT_EQ(message.rfind("in.txt", 0), 0U) << message;
            ASSERT_EQ(message.find('\n'), std::string::npos) << message;
            ++rejected;
            continue;
        }
        ++accepted;
        ASSERT_GE(function.width, 1);
        ASSERT_LE(function.width, 8);
        ASSERT_FALSE(function.on.intersects(function.dc));
        logic::RowSet outside;
        for (int row = 1 << function.width; row < 256; ++row) outside.set(row);
        ASSERT_FALSE((function.on | function.dc).intersects(outside));
        std::vector<std::string> codes;
        for (const auto& cube : qm::minimize(function))
            codes.push_back(logic::codeOf(cube, function.width));
        ASSERT_EQ(qm_test::coverFault(tableOf(function), codes), "") << text;
    }
    // Both outcomes must be exercised for the test to mean anything.
    EXPECT_GT(accepted, 2000);
    EXPECT_GT(rejected, 2000);
}

}  // namespace
