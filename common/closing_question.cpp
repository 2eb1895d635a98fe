#include "common/closing_question.h"

#include "common/prompts.h"

namespace quendal::common {

bool confirmClosing(Prompts& prompts, ClosingCommand command, int unsavedDrawings) {
    const QString exitQuestion = QStringLiteral("Are you sure you want to Exit ?");
    if (unsavedDrawings <= 0) {
        return command == ClosingCommand::Logout || prompts.ask(exitQuestion, PromptReply::Yes);
    }
    const QString lost =
        unsavedDrawings == 1
            ? QStringLiteral("1 drawing is not saved and will be lost.")
            : QStringLiteral("%1 drawings are not saved and will be lost.").arg(unsavedDrawings);
    const QString question = command == ClosingCommand::Exit
                                 ? exitQuestion
                                 : QStringLiteral("Are you sure you want to Logout ?");
    return prompts.ask(lost + QLatin1Char('\n') + question, PromptReply::No);
}

}  // namespace quendal::common
