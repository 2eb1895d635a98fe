#include "app/help_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

// The guide is a resource of a static library: nothing else refers to it, so it is pulled in
// by name. Q_INIT_RESOURCE must stand outside any namespace.
static void loadGuideResource() {
    Q_INIT_RESOURCE(guide);
}

namespace quendal::app {

frmHelp::frmHelp(QWidget* parent) : QWidget(parent, Qt::Window) {
    loadGuideResource();
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Quendal Help"));
    searchBar_ = new QWidget(this);
    txtSearch = new QLineEdit(searchBar_);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    txtSearch->setPlaceholderText(QStringLiteral("Search the guide"));
    cmdFind = new QPushButton(QStringLiteral("&Find"), searchBar_);
    cmdFind->setObjectName(QStringLiteral("cmdFind"));
    lblFound = new QLabel(searchBar_);
    lblFound->setObjectName(QStringLiteral("lblFound"));
    auto* bar = new QHBoxLayout(searchBar_);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(txtSearch, 1);
    bar->addWidget(cmdFind);
    bar->addWidget(lblFound);
    txtGuide = new QTextBrowser(this);
    txtGuide->setObjectName(QStringLiteral("txtGuide"));
    txtGuide->setOpenLinks(true);
    txtGuide->setSource(QUrl(QStringLiteral("qrc:/guide/user_guide.html")));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(searchBar_);
    layout->addWidget(txtGuide, 1);
    connect(cmdFind, &QPushButton::clicked, this, &frmHelp::cmdFind_Click);
    connect(txtSearch, &QLineEdit::returnPressed, this, &frmHelp::cmdFind_Click);
    resize(760, 640);
}

void frmHelp::showGuide(bool search) {
    searchBar_->setVisible(search);
    show();
    raise();
    activateWindow();
    if (search) txtSearch->setFocus();
}

void frmHelp::cmdFind_Click() {
    const QString text = txtSearch->text();
    if (text.isEmpty()) return;
    if (txtGuide->find(text)) {
        lblFound->clear();
        return;
    }
    // Past the last place: start again from the top.
    QTextCursor top = txtGuide->textCursor();
    top.movePosition(QTextCursor::Start);
    txtGuide->setTextCursor(top);
    lblFound->setText(txtGuide->find(text) ? QStringLiteral("From the top")
                                           : QStringLiteral("Not found"));
}

}  // namespace quendal::app
