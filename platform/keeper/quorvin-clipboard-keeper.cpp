// Keeps serving one text as the X CLIPBOARD selection after the program that copied it has gone,
// until another client takes the clipboard or the X server goes away.
//
// Reads the text (UTF-8) from standard input to its end, takes the selection, writes "1" to
// standard output once it owns it and closes it. Plain xcb, one thread, no file, no mapped window.
#include "platform/ClipboardTextLimit.h"
#include "platform/XcbReplyPtr.h"

#include <xcb/xcb.h>

#include <csignal>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

bool readAll(int fd, std::string &text)
{
    char buf[4096];
    for (;;) {
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n == 0)
            return true;
        if (n < 0)
            return false;
        text.append(buf, static_cast<std::size_t>(n));
        if (text.size() > clipboardTextLimit)
            return false;
    }
}

// STRING is Latin-1: characters beyond it become "?", as the program's own owner wrote them.
std::string latin1From(std::string_view utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        int extra = b < 0x80   ? 0
            : (b >> 5) == 0x6  ? 1
            : (b >> 4) == 0xE  ? 2
            : (b >> 3) == 0x1E ? 3
                               : -1;
        std::uint32_t cp = extra == 0 ? b
            : extra == 1              ? b & 0x1F
            : extra == 2              ? b & 0x0F
                                      : b & 0x07;
        std::size_t j = i + 1;
        for (int k = 0;
             k < extra && j < utf8.size() && (static_cast<unsigned char>(utf8[j]) & 0xC0) == 0x80;
             ++k, ++j)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[j]) & 0x3F);
        const bool whole = extra >= 0 && j - i == static_cast<std::size_t>(extra) + 1;
        out.push_back(whole && cp <= 0xFF ? static_cast<char>(cp) : '?');
        i = whole ? j : i + 1;
    }
    return out;
}

class Keeper
{
public:
    Keeper(xcb_connection_t *c, const std::string &text)
        : m_c(c)
        , m_utf8(text)
        , m_latin1(latin1From(text))
    { }

    bool takeClipboard()
    {
        m_clipboard = atom("CLIPBOARD");
        m_targets = atom("TARGETS");
        m_timestamp = atom("TIMESTAMP");
        m_utf8String = atom("UTF8_STRING");
        m_text = atom("TEXT");
        m_textPlain = atom("text/plain");
        const xcb_atom_t pid = atom("_NET_WM_PID");
        if (!m_clipboard || !m_targets || !m_utf8String || !pid)
            return false;

        xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data;
        m_window = xcb_generate_id(m_c);
        const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(m_c, XCB_COPY_FROM_PARENT, m_window, screen->root, -1, -1, 1, 1, 0,
            XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
        // Tells whom the selection belongs to, and its PropertyNotify gives a server time to
        // take the selection at (the selection rules forbid CurrentTime).
        const auto self = static_cast<std::uint32_t>(getpid());
        xcb_change_property(
            m_c, XCB_PROP_MODE_REPLACE, m_window, pid, XCB_ATOM_CARDINAL, 32, 1, &self);
        xcb_flush(m_c);
        while (const XcbReplyPtr<xcb_generic_event_t> e { xcb_wait_for_event(m_c) }) {
            if ((e->response_type & 0x7F) == XCB_PROPERTY_NOTIFY) {
                m_since = reinterpret_cast<xcb_property_notify_event_t *>(e.get())->time;
                break;
            }
        }
        if (!m_since)
            return false;
        xcb_set_selection_owner(m_c, m_window, m_clipboard, m_since);
        const XcbReplyPtr<xcb_get_selection_owner_reply_t> owner(
            xcb_get_selection_owner_reply(m_c, xcb_get_selection_owner(m_c, m_clipboard), nullptr));
        return owner && owner->owner == m_window;
    }

    // Serves requests until the selection is taken or the connection ends.
    void serve()
    {
        while (const XcbReplyPtr<xcb_generic_event_t> e { xcb_wait_for_event(m_c) }) {
            const std::uint8_t type = e->response_type & 0x7F;
            if (type == XCB_SELECTION_REQUEST)
                answer(*reinterpret_cast<xcb_selection_request_event_t *>(e.get()));
            else if (type == XCB_SELECTION_CLEAR
                && reinterpret_cast<xcb_selection_clear_event_t *>(e.get())->selection
                    == m_clipboard)
                return;
        }
    }

private:
    xcb_atom_t atom(const char *name)
    {
        const XcbReplyPtr<xcb_intern_atom_reply_t> r(xcb_intern_atom_reply(m_c,
            xcb_intern_atom(m_c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
        return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    // Writes the answer into the requestor's property; false where it is not ours to give or
    // would need more than one request (no incremental transfer: the texts are short).
    bool write(const xcb_selection_request_event_t &req, xcb_atom_t property)
    {
        if (req.selection != m_clipboard || req.owner != m_window)
            return false;
        if (req.time != XCB_CURRENT_TIME && req.time < m_since)
            return false;
        if (req.target == m_targets) {
            // The text formats Qt offers for plain text, in its order.
            const xcb_atom_t offered[]
                = { m_textPlain, m_utf8String, XCB_ATOM_STRING, m_text, m_targets, m_timestamp };
            xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, req.requestor, property, XCB_ATOM_ATOM,
                32, sizeof offered / sizeof offered[0], offered);
            return true;
        }
        if (req.target == m_timestamp) {
            xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, req.requestor, property,
                XCB_ATOM_INTEGER, 32, 1, &m_since);
            return true;
        }
        const std::string *data = nullptr;
        if (req.target == m_utf8String || req.target == m_textPlain)
            data = &m_utf8;
        else if (req.target == XCB_ATOM_STRING || req.target == m_text)
            data = &m_latin1;
        if (!data)
            return false;
        const std::size_t maxBytes = std::size_t(xcb_get_maximum_request_length(m_c)) * 4;
        if (data->size() + sizeof(xcb_change_property_request_t) > maxBytes)
            return false;
        xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, req.requestor, property, req.target, 8,
            static_cast<std::uint32_t>(data->size()), data->data());
        return true;
    }

    void answer(const xcb_selection_request_event_t &req)
    {
        // A client from before the selection rules names no property: the target is used.
        const xcb_atom_t property = req.property ? req.property : req.target;
        xcb_selection_notify_event_t ev {};
        ev.response_type = XCB_SELECTION_NOTIFY;
        ev.time = req.time;
        ev.requestor = req.requestor;
        ev.selection = req.selection;
        ev.target = req.target;
        ev.property = write(req, property) ? property : xcb_atom_t(XCB_ATOM_NONE);
        // A requestor that has gone only earns an error event, which serve() passes over.
        xcb_send_event(
            m_c, 0, req.requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&ev));
        xcb_flush(m_c);
    }

    xcb_connection_t *m_c;
    std::string m_utf8;
    std::string m_latin1;
    xcb_window_t m_window = XCB_WINDOW_NONE;
    xcb_timestamp_t m_since = 0;
    xcb_atom_t m_clipboard = 0, m_targets = 0, m_timestamp = 0, m_utf8String = 0, m_text = 0,
               m_textPlain = 0;
};

} // namespace

int main()
{
    std::signal(SIGPIPE, SIG_IGN);
    std::string text;
    if (!readAll(STDIN_FILENO, text) || text.empty())
        return 2;
    close(STDIN_FILENO);

    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return 1;
    }
    Keeper keeper(c, text);
    if (!keeper.takeClipboard()) {
        xcb_disconnect(c);
        return 1;
    }
    // The program waits for this byte before it lets go; nothing else is ever written.
    if (::write(STDOUT_FILENO, "1", 1) != 1) {
        xcb_disconnect(c);
        return 1;
    }
    const int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (devNull >= 0) {
        dup2(devNull, STDOUT_FILENO);
        close(devNull);
    }
    keeper.serve();
    xcb_disconnect(c);
    return 0;
}
