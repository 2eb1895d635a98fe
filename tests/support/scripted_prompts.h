#pragma once

#include "common/prompts.h"

#include <deque>
#include <vector>

// Prompts for tests: records every prompt and answers from a script; with
// the script used up it answers with the prompt's default reply.
class ScriptedPrompts : public Prompts {
public:
    PromptReply show(const Prompt& prompt) override {
        shown.push_back(prompt);
        if (replies.empty()) return prompt.defaultReply;
        PromptReply r = replies.front();
        replies.pop_front();
        return r;
    }

    std::deque<PromptReply> replies;
    std::vector<Prompt> shown;
};
