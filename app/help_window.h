#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;

namespace quendal::app {

// Help > Contents: the user guide, with its pictures, built into the program from the README's
// user-guide part. Search For Help On... opens the same window with a search field over the
// guide. Esc and Ctrl+W close it.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the window in front, with the search field when `search`.
    void showGuide(bool search);

public slots:
    // Finds the next place that holds the search text, from the top again after the last.
    void cmdFind_Click();

private:
    // Shows pictures wider than their room (the window's width, shared among a table's columns)
    // smaller, never larger, so the screenshots and the drawings side by side need no sideways
    // scrolling.
    void fitPictures();

    QLineEdit* txtSearch = nullptr;
    QPushButton* cmdFind = nullptr;
    QLabel* lblFound = nullptr;
    QWidget* searchBar_ = nullptr;
    QTextBrowser* txtGuide = nullptr;
};

}  // namespace quendal::app
