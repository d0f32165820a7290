// The eyedropper floor: while a button is held in the window, a 1 ms timer asks the pointer's
// root position, reads that one root pixel and shows its colour in one label.
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>

namespace {

class Floor : public QWidget
{
public:
    Floor()
        : m_label(new QLabel(QStringLiteral("#000000")))
    {
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(m_label);
        setFixedSize(200, 200);
        m_timer.setInterval(1);
        m_timer.setTimerType(Qt::PreciseTimer);
        connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
        auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        m_c = x11 ? x11->connection() : nullptr;
        if (m_c)
            m_root = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;
    }

protected:
    void mousePressEvent(QMouseEvent *) override { m_timer.start(); }
    void mouseReleaseEvent(QMouseEvent *) override { m_timer.stop(); }

private:
    void tick()
    {
        if (!m_c)
            return;
        auto *p = xcb_query_pointer_reply(m_c, xcb_query_pointer(m_c, m_root), nullptr);
        if (!p)
            return;
        auto *img = xcb_get_image_reply(m_c,
            xcb_get_image(m_c, XCB_IMAGE_FORMAT_Z_PIXMAP, m_root, p->root_x, p->root_y, 1, 1, ~0u),
            nullptr);
        std::free(p);
        if (!img)
            return;
        const auto *d = xcb_get_image_data(img);
        const QString code = QStringLiteral("#%1%2%3")
                                 .arg(d[2], 2, 16, QLatin1Char('0'))
                                 .arg(d[1], 2, 16, QLatin1Char('0'))
                                 .arg(d[0], 2, 16, QLatin1Char('0'));
        std::free(img);
        m_label->setText(code);
    }

    QLabel *m_label;
    QTimer m_timer;
    xcb_connection_t *m_c = nullptr;
    xcb_window_t m_root = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Floor w;
    w.show();
    return app.exec();
}
