// The floor for start-up and memory: a Qt Widgets program that shows one
// empty window of the main window's size. With the argument "text" the
// window also shows one line of text, the floor for any window with words
// in it (fonts are loaded and drawn).
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Baseline window"));
    window.setFixedSize(852, 655);
    if (argc > 1 && QByteArrayView(argv[1]) == "text")
        (new QLabel(QStringLiteral("Trumi Editor"), &window))->move(10, 10);
    window.show();
    return app.exec();
}
