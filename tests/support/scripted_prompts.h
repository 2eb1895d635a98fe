#pragma once

#include "common/prompts.h"

#include <deque>
#include <vector>

// Prompts for tests: records every prompt and answers from a script; with
// the script used up it answers with the prompt's default reply.
class ScriptedPrompts : public quendal::common::Prompts {
public:
    quendal::common::PromptReply show(const quendal::common::Prompt& prompt) override {
        shown.push_back(prompt);
        if (replies.empty()) return prompt.defaultReply;
        quendal::common::PromptReply r = replies.front();
        replies.pop_front();
        return r;
    }

    std::deque<quendal::common::PromptReply> replies;
    std::vector<quendal::common::Prompt> shown;
};
