// The floor for start-up and memory: a Qt Widgets program that shows one
// empty window of the main window's size.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Baseline window"));
    window.setFixedSize(852, 655);
    window.show();
    return app.exec();
}
