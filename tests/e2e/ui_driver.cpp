#include "tests/e2e/ui_driver.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QThread>
#include <QWindow>

#include <cstdio>

namespace e2e {

void check(bool condition, const QString& what) {
    if (!condition) throw StepFailure(what);
}

void checkEqual(const QString& actual, const QString& expected, const QString& what) {
    check(actual == expected,
          QStringLiteral("%1: \"%2\", expected \"%3\"").arg(what, actual, expected));
}

void wait(int ms) {
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    // Once the program has ended its event loop, nested loops return at
    // once: keep processing events by hand for the rest of the time.
    if (loop.exec() == 0) return;
    while (clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
}

bool waitUntil(const std::function<bool()>& ready, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!ready()) {
        if (clock.elapsed() > timeoutMs) return false;
        wait(20);
    }
    return true;
}

QWidget* visibleTopLevel(const QString& objectName) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == objectName && w->isVisible()) return w;
    }
    return nullptr;
}

void click(QWidget* widget, QPoint pos) {
    check(widget != nullptr, QStringLiteral("nothing to click"));
    const QString name = widget->objectName();
    check(widget->isVisible(), QStringLiteral("%1 is not visible").arg(name));
    check(widget->isEnabled(), QStringLiteral("%1 is not enabled").arg(name));
    if (pos.isNull()) pos = widget->rect().center();
    // The events enter through the window system's queue, as the X server's
    // would: the top-level window gets them, and popups and modal windows
    // take or block them as they do for a user.
    QWidget* top = widget->window();
    QWindow* window = top->windowHandle();
    check(window != nullptr, QStringLiteral("%1 has no window").arg(name));
    const QPoint at = widget->mapTo(top, pos);
    // What a user would hit there: the widget itself, not a window over it.
    QWidget* hit = top->childAt(at);
    check(widget == top || hit == widget || widget->isAncestorOf(hit),
          QStringLiteral("%1 is covered by %2 \"%3\"")
              .arg(name,
                   hit ? QLatin1String(hit->metaObject()->className()) : QLatin1String("nothing"),
                   hit ? hit->objectName() : QString()));
    QTest::mouseMove(window, at);
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, at);
}

void clickOption(QAbstractButton* option) {
    click(option, QPoint(6, option->height() / 2));
}

void clickTickBox(QListWidget* list, int row) {
    QListWidgetItem* item = list->item(row);
    check(item != nullptr, QStringLiteral("the list has no entry %1").arg(row));
    list->scrollToItem(item);
    wait(50);
    QStyleOptionViewItem option;
    option.initFrom(list->viewport());
    option.rect = list->visualItemRect(item);
    option.features |= QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    option.text = item->text();
    option.checkState = item->checkState();
    const QRect box =
        list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
    click(list->viewport(), box.center());
}

void chooseComboEntry(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text);
    check(index >= 0, QStringLiteral("%1 has no entry %2").arg(combo->objectName(), text));
    click(combo);
    QAbstractItemView* view = combo->view();
    check(waitUntil([view] { return view->isVisible(); }),
          QStringLiteral("%1 did not open its list").arg(combo->objectName()));
    const QModelIndex entry = combo->model()->index(index, combo->modelColumn());
    view->scrollTo(entry);
    // The list ignores a release that follows its opening too quickly (the
    // end of the click that opened it).
    wait(QApplication::doubleClickInterval() + 100);
    // Near the entry's left end: the list may be laid out wider than the
    // popup that shows it.
    const QRect rect = view->visualRect(entry);
    click(view->viewport(), QPoint(rect.left() + 8, rect.center().y()));
    check(waitUntil([view] { return !view->isVisible(); }),
          QStringLiteral("%1 did not close its list").arg(combo->objectName()));
}

void chooseMenuItem(QMainWindow* window, const char* menuName,
                    const std::function<bool(const QAction*)>& which, const QString& what) {
    auto* menu = child<QMenu>(window, menuName);
    QMenuBar* bar = window->menuBar();
    click(bar, bar->actionGeometry(menu->menuAction()).center());
    check(waitUntil([menu] { return menu->isVisible(); }),
          QStringLiteral("menu %1 did not open").arg(QLatin1String(menuName)));
    QAction* chosen = nullptr;
    for (QAction* action : menu->actions()) {
        if (!chosen && !action->isSeparator() && which(action)) chosen = action;
    }
    if (!chosen) menu->hide();
    check(chosen != nullptr,
          QStringLiteral("menu %1 has no item %2").arg(QLatin1String(menuName), what));
    // The click runs the command; a modal dialog it opens blocks here until
    // answered.
    click(menu, menu->actionGeometry(chosen).center());
}

void chooseMenuItem(QMainWindow* window, const char* menuName, const char* itemName) {
    const QString name = QLatin1String(itemName);
    chooseMenuItem(
        window, menuName, [&name](const QAction* a) { return a->objectName() == name; }, name);
}

void type(QWidget* widget, const QString& keys) {
    for (const QChar c : keys) {
        QTest::keyClick(widget, c.toLatin1());
    }
}

void pressKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(widget, Qt::Key(key), modifiers);
}

ModalAnswerer::ModalAnswerer(Handler handler, int intervalMs) : handler_(std::move(handler)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (busy_) return;
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        busy_ = true;
        try {
            if (handler_(modal)) ++answered_;
        } catch (const StepFailure& e) {
            failure_ = QString::fromStdString(e.what());
            std::fprintf(stderr, "e2e: while answering a modal window: %s\n", e.what());
            // Closed unanswered, so that the step waiting behind it goes on
            // and reports the failure.
            modal->close();
        }
        busy_ = false;
    });
    timer_.start(intervalMs);
}

ModalAnswerer::~ModalAnswerer() {
    timer_.stop();
}

QImage Screenshots::take(const QString& name) {
    // Painting is queued: let it run, and give the X server a moment.
    QApplication::processEvents();
    wait(250);
    QScreen* screen = QGuiApplication::primaryScreen();
    const QImage shot = screen->grabWindow(0).toImage();
    const QString file = folder_.filePath(
        QStringLiteral("%1_%2.png").arg(++count_, 2, 10, QLatin1Char('0')).arg(name));
    if (!shot.save(file, "PNG")) {
        std::fprintf(stderr, "e2e: could not write %s\n", qPrintable(file));
    }
    return shot;
}

void Screenshots::keep(const QString& name, const QImage& shot, const QRect& part) const {
    if (!guide_) return;
    const QString file = guide_->filePath(QStringLiteral("e2e_%1.png").arg(name));
    if (!shot.copy(part.intersected(shot.rect())).save(file, "PNG")) {
        std::fprintf(stderr, "e2e: could not write %s\n", qPrintable(file));
    }
}

QRect inkBounds(const QImage& picture, const QRect& region, QRgb background) {
    const QRect r = region.intersected(picture.rect());
    int left = r.right() + 1, top = r.bottom() + 1, right = r.left() - 1, bottom = r.top() - 1;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if ((picture.pixel(x, y) & 0xFFFFFF) == (background & 0xFFFFFF)) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return right < left ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QString describeWidgets(QWidget* root) {
    QString out;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        out += QStringLiteral("  %1 \"%2\"")
                   .arg(QLatin1String(w->metaObject()->className()), w->objectName());
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            out += QStringLiteral(" [%1]").arg(b->text());
        if (auto* l = qobject_cast<QLineEdit*>(w)) out += QStringLiteral(" <%1>").arg(l->text());
        if (auto* c = qobject_cast<QComboBox*>(w)) {
            QStringList entries;
            for (int i = 0; i < c->count(); ++i) entries << c->itemText(i);
            out +=
                QStringLiteral(" {%1 of %2}").arg(c->currentText(), entries.join(QLatin1Char('|')));
        }
        out += w->isVisible() ? QStringLiteral("\n") : QStringLiteral(" (hidden)\n");
    }
    return out;
}

bool hasInk(const QImage& picture, const QRect& region, QRgb background) {
    const QRect r = region.intersected(picture.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if ((picture.pixel(x, y) & 0xFFFFFF) != (background & 0xFFFFFF)) return true;
        }
    }
    return false;
}

QRect onScreen(const QWidget* widget) {
    const QRect global(widget->mapToGlobal(QPoint(0, 0)), widget->size());
    const QScreen* screen = QGuiApplication::primaryScreen();
    return global.intersected(screen->geometry());
}

}  // namespace e2e
