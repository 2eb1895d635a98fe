#include <QApplication>
#include <QMainWindow>
#include <QStyleFactory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Fusion draws button backgrounds from the palette, which the button
    // feedback relies on.
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QMainWindow window;
    window.setWindowTitle("Quendal");
    window.resize(800, 600);
    window.show();
    return app.exec();
}
