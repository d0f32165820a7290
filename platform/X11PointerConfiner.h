#pragma once

#include "platform/PointerConfiner.h"

#include <QList>
#include <QMetaObject>

#include <cstdint>

struct xcb_connection_t;

// Confines the pointer with a core pointer grab whose confine-to window is an input-only child
// laid over the widget. Qt's own grabs cannot confine, and the press that starts a drag holds an
// implicit grab of another kind, which has to go first.
class X11PointerConfiner : public PointerConfiner
{
public:
    explicit X11PointerConfiner(xcb_connection_t *connection);
    ~X11PointerConfiner() override;

    bool confine(QWidget *widget) override;
    void release() override;

private:
    bool grab(std::uint32_t confineTo);
    void ungrab();
    void followScreens();
    void stopFollowingScreens();
    bool confinementOnScreen() const;

    xcb_connection_t *m_connection;
    std::uint32_t m_grabWindow = 0; // non-zero while this program holds the pointer grab
    std::uint32_t m_confineWindow = 0;
    QList<QMetaObject::Connection> m_screenWatch;
};
