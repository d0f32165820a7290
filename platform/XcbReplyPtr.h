#pragma once

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <type_traits>

// An xcb reply or error, which xcb hands over to be freed with free(); this one frees itself.
struct XcbFree
{
    void operator()(void *p) const { std::free(p); }
};
template<class T> using XcbReplyPtr = std::unique_ptr<T, XcbFree>;

// A request's reply, null where the request failed. The error is taken and dropped here, so that
// it does not end up in the connection's event queue.
template<class ReplyFunction, class... Args>
auto xcbReply(ReplyFunction replyFunction, xcb_connection_t *connection, Args... args)
{
    xcb_generic_error_t *error = nullptr;
    auto *reply = replyFunction(connection, args..., &error);
    std::free(error);
    return XcbReplyPtr<std::remove_pointer_t<decltype(reply)>>(reply);
}
