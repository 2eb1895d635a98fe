#pragma once

#include <QString>

class QWidget;

namespace quendal::common {

// Message boxes and Yes/No questions go through this seam so that every
// rule that asks the user something can be tested without a real dialog.
enum class PromptIcon { None, Critical, Question, Exclamation, Information };
enum class PromptButtons { Ok, YesNo };
enum class PromptReply { Ok, Yes, No };

struct Prompt {
    QString text;  // lines joined with '\n'
    QString title = QStringLiteral("Quendal");
    PromptIcon icon = PromptIcon::None;
    PromptButtons buttons = PromptButtons::Ok;
    PromptReply defaultReply = PromptReply::Ok;
};

class Prompts {
public:
    virtual ~Prompts() = default;
    // Shows the prompt modally and returns the reply.
    virtual PromptReply show(const Prompt& prompt) = 0;

    // The common shapes of prompt in this program.
    void message(const QString& text, PromptIcon icon = PromptIcon::None,
                 const QString& title = QStringLiteral("Quendal"));
    // A Yes/No question with the question icon; returns true for Yes.
    bool ask(const QString& text, PromptReply defaultReply,
             const QString& title = QStringLiteral("Quendal"));
};

// The real prompts: modal QMessageBox dialogs over the given parent.
class MessageBoxPrompts : public Prompts {
public:
    explicit MessageBoxPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    PromptReply show(const Prompt& prompt) override;

private:
    QWidget* parent_;
};

}  // namespace quendal::common
