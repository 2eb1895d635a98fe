#include <gtest/gtest.h>

#include "tests/workspace/work_form_support.h"

using namespace quendal::drawing;

#ifdef QUENDAL_QM_EXE

namespace {

// Every function of two variables, with every row a 1, a 0 or a don't-care,
// entered both as min-terms and as max-terms and minimized by the real
// Qm.exe: the minimized texts must agree with the function on every row that
// is not a don't-care.
class RoundTrip : public testing::TestWithParam<bool> {};

TEST_P(RoundTrip, EveryFunctionOfTwoVariables) {
    const bool maxTerms = GetParam();
    WorkForm w(QStringLiteral(QUENDAL_QM_EXE));
    w.chooseVariables(2);
    const std::vector<std::string> letters{"A", "B"};
    int runs = 0;
    for (int f = 0; f < 81; ++f) {
        std::vector<int> value(4);  // 0, 1 or 2 (don't care) per row
        for (int t = 0, code = f; t < 4; ++t, code /= 3)
            value[static_cast<std::size_t>(t)] = code % 3;
        std::vector<int> terms, dontCares;
        for (int t = 0; t < 4; ++t) {
            const int v = value[static_cast<std::size_t>(t)];
            if (v == 2) dontCares.push_back(t);
            if (v == (maxTerms ? 0 : 1)) terms.push_back(t);
        }
        if (terms.empty()) continue;  // Simplify stays disabled

        w.click("cmdClear");
        w.choose(maxTerms ? "rbMaxTerms" : "rbMinTerms");
        w.tickAll(terms);
        if (!dontCares.empty()) {
            w.choose("rbDontCare");
            w.tickAll(dontCares);
        }
        w.click("cmdSimplify");
        ++runs;
        ASSERT_TRUE(w.prompts.shown.empty()) << w.prompts.shown[0].text.toStdString();
        ASSERT_TRUE(w.button("cmdCircuit")->isEnabled());
        const std::vector<std::string> texts = w.texts();
        for (int t = 0; t < 4; ++t) {
            const int v = value[static_cast<std::size_t>(t)];
            if (v == 2) continue;
            for (std::size_t k = 0; k < texts.size(); ++k) {
                EXPECT_EQ(evaluate(texts[k], letters, 2, t), v == 1)
                    << "function " << f << " row " << t << " text \"" << texts[k] << "\"";
            }
        }
    }
    EXPECT_EQ(runs, 65);
}

INSTANTIATE_TEST_SUITE_P(Modes, RoundTrip, testing::Bool(),
                         [](const auto& info) { return info.param ? "MaxTerms" : "MinTerms"; });

struct TypedCase {
    const char* typed;
    std::vector<int> minterms;  // over the sorted letters in use
};

class TypedRoundTrip : public testing::TestWithParam<TypedCase> {};

TEST_P(TypedRoundTrip, MinimizedTextDenotesTheEquation) {
    WorkForm w(QStringLiteral(QUENDAL_QM_EXE));
    w.type(GetParam().typed);
    w.click("cmdSimplify");
    ASSERT_TRUE(w.prompts.shown.empty()) << w.prompts.shown[0].text.toStdString();
    const FunctionView f = w.form->currentFunction();
    EXPECT_EQ(listedTerms(f), GetParam().minterms);
    const int n = f.function.width;
    std::vector<std::string> names;
    for (char letter : f.letters) names.push_back(std::string(1, letter));
    for (int t = 0; t < (1 << n); ++t) {
        const bool on = f.function.on.test(t);
        for (const std::string& text : {f.ipPosText, f.minSopText, f.minPosText}) {
            EXPECT_EQ(evaluate(text, names, n, t), on) << text << " row " << t;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Equations, TypedRoundTrip,
                         testing::Values(TypedCase{"AB'+C", {1, 3, 4, 5, 7}},
                                         TypedCase{"C+A", {1, 2, 3}}, TypedCase{"B'A+AB", {2, 3}},
                                         TypedCase{"AB+A'B'+AB'+A'B", {0, 1, 2, 3}},
                                         TypedCase{"ABCD+A'B'C'D'", {0, 15}}));

}  // namespace

#endif
