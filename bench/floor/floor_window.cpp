// The start-up floor: an empty Qt window with one label, nothing else.
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget w;
    auto *layout = new QVBoxLayout(&w);
    layout->addWidget(new QLabel(QStringLiteral("Floor")));
    w.show();
    return app.exec();
}
