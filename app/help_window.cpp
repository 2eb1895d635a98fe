#include "app/help_window.h"

#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextTable>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

// The guide is a resource of a static library: nothing else refers to it, so it is pulled in
// by name. Q_INIT_RESOURCE must stand outside any namespace.
static void loadGuideResource() {
    Q_INIT_RESOURCE(guide);
}

namespace quendal::app {

namespace {
constexpr int kWidth = 900;
}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    loadGuideResource();
    setObjectName(QStringLiteral("HelpWindow"));
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
    // The README's user-guide part, rendered by Qt's own Markdown reader; its pictures' paths
    // are relative to it, as in the README.
    txtGuide->setSource(QUrl(QStringLiteral("qrc:/guide/user_guide.md")),
                        QTextDocument::MarkdownResource);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(searchBar_);
    layout->addWidget(txtGuide, 1);
    connect(cmdFind, &QPushButton::clicked, this, &HelpWindow::cmdFind_Click);
    connect(txtSearch, &QLineEdit::returnPressed, this, &HelpWindow::cmdFind_Click);
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
    fitPictures();
    resize(kWidth, 640);
}

void HelpWindow::fitPictures() {
    QTextDocument* guide = txtGuide->document();
    // The window's first width, less the list indent, the table's cell padding and the scroll
    // bar. Sized once, before the guide is first laid out.
    const int room = kWidth - 90;
    struct Picture {
        int position;
        QTextImageFormat format;
    };
    std::vector<Picture> pictures;
    for (QTextBlock block = guide->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isImageFormat())
                pictures.push_back({fragment.position(), fragment.charFormat().toImageFormat()});
        }
    }
    for (Picture& picture : pictures) {
        const QUrl name(picture.format.name());
        const QVariant data = txtGuide->loadResource(QTextDocument::ImageResource, name);
        const QImage natural = QImage::fromData(data.toByteArray());
        if (natural.isNull()) continue;
        QTextCursor cursor(guide);
        cursor.setPosition(picture.position);
        const QTextTable* table = cursor.currentTable();
        const int share = std::max(60, table ? room / table->columns() - 12 : room);
        if (natural.width() <= share) continue;
        // Scaled smoothly here, as the text layout would drop thin wires.
        const QImage smaller = natural.scaledToWidth(share, Qt::SmoothTransformation);
        // The document looks its pictures up by their full address.
        guide->addResource(QTextDocument::ImageResource, guide->baseUrl().resolved(name), smaller);
        picture.format.setWidth(smaller.width());
        picture.format.setHeight(smaller.height());
        cursor.setPosition(picture.position + 1, QTextCursor::KeepAnchor);
        cursor.setCharFormat(picture.format);
    }
}

void HelpWindow::showGuide(bool search) {
    searchBar_->setVisible(search);
    show();
    raise();
    activateWindow();
    if (search) txtSearch->setFocus();
}

void HelpWindow::cmdFind_Click() {
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
