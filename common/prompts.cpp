#include "common/prompts.h"

#include <QMessageBox>

namespace quendal::common {

void Prompts::message(const QString& text, PromptIcon icon, const QString& title) {
    show(Prompt{text, title, icon, PromptButtons::Ok, PromptReply::Ok});
}

bool Prompts::ask(const QString& text, PromptReply defaultReply, const QString& title) {
    return show(Prompt{text, title, PromptIcon::Question, PromptButtons::YesNo, defaultReply}) ==
           PromptReply::Yes;
}

namespace {

QMessageBox::Icon toQt(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::Critical: return QMessageBox::Critical;
        case PromptIcon::Question: return QMessageBox::Question;
        case PromptIcon::Exclamation: return QMessageBox::Warning;
        case PromptIcon::Information: return QMessageBox::Information;
        case PromptIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

PromptReply MessageBoxPrompts::show(const Prompt& prompt) {
    QMessageBox box(toQt(prompt.icon), prompt.title, prompt.text, QMessageBox::NoButton, parent_);
    if (prompt.buttons == PromptButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(prompt.defaultReply == PromptReply::Yes ? QMessageBox::Yes
                                                                     : QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? PromptReply::Yes : PromptReply::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return PromptReply::Ok;
}

}  // namespace quendal::common
