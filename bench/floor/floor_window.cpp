// The start-up floor: an empty Qt window with one label, nothing else. Given WIDTHxHEIGHT, the
// same window at that fixed size, which tells how much of a window's start-up is its area alone.
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget w;
    auto *layout = new QVBoxLayout(&w);
    layout->addWidget(new QLabel(QStringLiteral("Floor")));
    int width = 0;
    int height = 0;
    if (argc > 1 && std::sscanf(argv[1], "%dx%d", &width, &height) == 2)
        w.setFixedSize(width, height);
    w.show();
    return app.exec();
}
