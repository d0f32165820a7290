#include "platform/WaylandScreenReader.h"

#include "wlr-screencopy-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

#include <QtGlobal>

#include <wayland-client.h>

#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace {

using Reader = WaylandScreenReader;

void onGlobal(
    void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
{
    static_cast<Reader *>(data)->addGlobal(registry, name, interface, version);
}

void onGlobalRemove(void *data, wl_registry *, uint32_t name)
{
    static_cast<Reader *>(data)->removeGlobal(name);
}

const wl_registry_listener registryListener { onGlobal, onGlobalRemove };

void onLogicalPosition(void *data, zxdg_output_v1 *, int32_t x, int32_t y)
{
    static_cast<Reader::Output *>(data)->logical.moveTopLeft(QPoint(x, y));
}

void onLogicalSize(void *data, zxdg_output_v1 *, int32_t width, int32_t height)
{
    static_cast<Reader::Output *>(data)->logical.setSize(QSize(width, height));
}

void onXdgDone(void *, zxdg_output_v1 *)
{ }
void onXdgName(void *, zxdg_output_v1 *, const char *)
{ }
void onXdgDescription(void *, zxdg_output_v1 *, const char *)
{ }

const zxdg_output_v1_listener xdgOutputListener { onLogicalPosition, onLogicalSize, onXdgDone,
    onXdgName, onXdgDescription };

Reader::Capture &captureOf(void *data)
{
    return *static_cast<Reader::Capture *>(data);
}

void onBuffer(void *data, zwlr_screencopy_frame_v1 *, uint32_t format, uint32_t width,
    uint32_t height, uint32_t stride)
{
    Reader::Capture &c = captureOf(data);
    c.reader->bufferOffered(c, format, width, height, stride);
}

void onFlags(void *data, zwlr_screencopy_frame_v1 *, uint32_t flags)
{
    captureOf(data).yInverted = flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT;
}

void onReady(void *data, zwlr_screencopy_frame_v1 *, uint32_t secHi, uint32_t secLo, uint32_t nsec)
{
    Reader::Capture &c = captureOf(data);
    const uint64_t seconds = (uint64_t(secHi) << 32) | secLo;
    c.reader->captureEnded(c, true, seconds * 1000000000u + nsec);
}

void onFailed(void *data, zwlr_screencopy_frame_v1 *)
{
    Reader::Capture &c = captureOf(data);
    c.reader->captureEnded(c, false);
}

void onDamage(void *, zwlr_screencopy_frame_v1 *, uint32_t, uint32_t, uint32_t, uint32_t)
{ }
void onDmabuf(void *, zwlr_screencopy_frame_v1 *, uint32_t, uint32_t, uint32_t)
{ }

void onBufferDone(void *data, zwlr_screencopy_frame_v1 *)
{
    Reader::Capture &c = captureOf(data);
    c.reader->startCopy(c);
}

const zwlr_screencopy_frame_v1_listener frameListener { onBuffer, onFlags, onReady, onFailed,
    onDamage, onDmabuf, onBufferDone };

// Byte offsets of red, green and blue in one little-endian pixel; false for formats not read.
bool channelOffsets(uint32_t format, int *r, int *g, int *b)
{
    switch (format) {
    case WL_SHM_FORMAT_ARGB8888:
    case WL_SHM_FORMAT_XRGB8888:
        *r = 2, *g = 1, *b = 0;
        return true;
    case WL_SHM_FORMAT_ABGR8888:
    case WL_SHM_FORMAT_XBGR8888:
        *r = 0, *g = 1, *b = 2;
        return true;
    default:
        return false;
    }
}

} // namespace

WaylandScreenReader::WaylandScreenReader(const char *xDisplayName)
    : m_pointer(xDisplayName)
{
    // Without a name libwayland would guess one, and complain aloud where there is no session.
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return;
    m_display = wl_display_connect(nullptr);
    if (!m_display)
        return;
    m_registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_registry, &registryListener, this);
    // The globals, then the outputs' logical rectangles that binding them asked for.
    wl_display_roundtrip(m_display);
    wl_display_roundtrip(m_display);
}

WaylandScreenReader::~WaylandScreenReader()
{
    if (!m_display)
        return;
    endHold();
    for (Output *o : m_outputs) {
        if (o->xdgOutput)
            zxdg_output_v1_destroy(o->xdgOutput);
        wl_output_destroy(o->output);
        delete o;
    }
    if (m_shmPool)
        wl_shm_pool_destroy(m_shmPool);
    if (m_pool)
        munmap(m_pool, slots * slotSize);
    if (m_poolFd >= 0)
        close(m_poolFd);
    if (m_xdgOutputManager)
        zxdg_output_manager_v1_destroy(m_xdgOutputManager);
    if (m_manager)
        zwlr_screencopy_manager_v1_destroy(m_manager);
    if (m_shm)
        wl_shm_destroy(m_shm);
    wl_registry_destroy(m_registry);
    wl_display_disconnect(m_display);
}

void WaylandScreenReader::addGlobal(
    wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
{
    if (std::strcmp(interface, zwlr_screencopy_manager_v1_interface.name) == 0) {
        m_managerVersion = std::min<uint32_t>(version, 3);
        m_manager = static_cast<zwlr_screencopy_manager_v1 *>(wl_registry_bind(
            registry, name, &zwlr_screencopy_manager_v1_interface, m_managerVersion));
    } else if (std::strcmp(interface, wl_shm_interface.name) == 0) {
        m_shm = static_cast<wl_shm *>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
    } else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0) {
        m_xdgOutputManager = static_cast<zxdg_output_manager_v1 *>(wl_registry_bind(
            registry, name, &zxdg_output_manager_v1_interface, std::min<uint32_t>(version, 3)));
        for (Output *o : m_outputs)
            addXdgOutput(*o);
    } else if (std::strcmp(interface, wl_output_interface.name) == 0) {
        auto *o = new Output;
        o->name = name;
        o->output
            = static_cast<wl_output *>(wl_registry_bind(registry, name, &wl_output_interface, 1));
        m_outputs.push_back(o);
        addXdgOutput(*o);
    }
}

void WaylandScreenReader::removeGlobal(uint32_t name)
{
    const auto gone = std::find_if(
        m_outputs.begin(), m_outputs.end(), [name](auto *o) { return o->name == name; });
    if (gone == m_outputs.end())
        return;
    // Copies of it still on the way answer with failed; the rectangle must not match meanwhile.
    (*gone)->logical = QRect();
}

void WaylandScreenReader::addXdgOutput(Output &output)
{
    if (!m_xdgOutputManager || output.xdgOutput)
        return;
    output.xdgOutput = zxdg_output_manager_v1_get_xdg_output(m_xdgOutputManager, output.output);
    zxdg_output_v1_add_listener(output.xdgOutput, &xdgOutputListener, &output);
}

bool WaylandScreenReader::canRead() const
{
    return m_manager && m_shm && std::any_of(m_outputs.begin(), m_outputs.end(), [](auto *o) {
        return o->logical.isValid();
    });
}

bool WaylandScreenReader::pointerPosition(QPoint *root, bool *buttonHeld)
{
    return m_pointer.pointerPosition(root, buttonHeld);
}

ColorValue WaylandScreenReader::pixelAt(QPoint root)
{
    if (!m_display || wl_display_get_error(m_display))
        return -1;
    dispatchWithoutWaiting();
    request(root);
    wl_display_flush(m_display);
    return m_newest;
}

void WaylandScreenReader::dispatchWithoutWaiting()
{
    while (wl_display_prepare_read(m_display) != 0)
        wl_display_dispatch_pending(m_display);
    wl_display_flush(m_display);
    pollfd fd { wl_display_get_fd(m_display), POLLIN, 0 };
    if (poll(&fd, 1, 0) > 0)
        wl_display_read_events(m_display);
    else
        wl_display_cancel_read(m_display);
    wl_display_dispatch_pending(m_display);
}

void WaylandScreenReader::request(QPoint root)
{
    if (!canRead() || !mapPool())
        return;
    const auto at = std::find_if(
        m_outputs.begin(), m_outputs.end(), [root](auto *o) { return o->logical.contains(root); });
    // Every slot busy: the output has not shown a new frame since, so a new copy would tell
    // nothing the ones on the way will not.
    const auto free = std::find_if(
        m_captures.begin(), m_captures.end(), [](const Capture &c) { return !c.frame; });
    if (at == m_outputs.end() || free == m_captures.end())
        return;
    const QPoint local = root - (*at)->logical.topLeft();
    Capture &c = *free;
    c = Capture {};
    c.reader = this;
    c.sequence = m_nextSequence++;
    // Headless wlroots draws the pointer all the same; the hold's pointer leaves the spot clear.
    c.frame = zwlr_screencopy_manager_v1_capture_output_region(
        m_manager, 0, (*at)->output, local.x(), local.y(), 1, 1);
    zwlr_screencopy_frame_v1_add_listener(c.frame, &frameListener, &c);
}

bool WaylandScreenReader::mapPool()
{
    if (m_shmPool)
        return true;
    if (m_poolFd >= 0)
        return false;
    m_poolFd = memfd_create("quorvin-screencopy", MFD_CLOEXEC);
    if (m_poolFd < 0 || ftruncate(m_poolFd, slots * slotSize) != 0)
        return false;
    void *p = mmap(nullptr, slots * slotSize, PROT_READ | PROT_WRITE, MAP_SHARED, m_poolFd, 0);
    if (p == MAP_FAILED)
        return false;
    m_pool = static_cast<unsigned char *>(p);
    m_shmPool = wl_shm_create_pool(m_shm, m_poolFd, slots * slotSize);
    return true;
}

void WaylandScreenReader::bufferOffered(
    Capture &capture, uint32_t format, uint32_t width, uint32_t height, uint32_t stride)
{
    int r, g, b;
    if (capture.buffer || !channelOffsets(format, &r, &g, &b) || width == 0 || height == 0
        || stride < width * 4 || std::size_t(stride) * height > slotSize)
        return;
    const auto slot = static_cast<int>(&capture - m_captures.data());
    capture.buffer = wl_shm_pool_create_buffer(
        m_shmPool, int(slot * slotSize), int(width), int(height), int(stride), format);
    capture.format = format;
    capture.width = width;
    capture.height = height;
    capture.stride = stride;
    // Before version 3 no event says that all buffer kinds are named: the one shm offer is all.
    if (m_managerVersion < 3)
        startCopy(capture);
}

void WaylandScreenReader::startCopy(Capture &capture)
{
    if (capture.copying)
        return;
    if (!capture.buffer) {
        captureEnded(capture, false);
        return;
    }
    capture.copying = true;
    zwlr_screencopy_frame_v1_copy(capture.frame, capture.buffer);
}

void WaylandScreenReader::captureEnded(Capture &capture, bool ready, uint64_t shownAt)
{
    if (ready) {
        ++m_answered;
        m_frames += shownAt != m_lastShownAt;
        m_lastShownAt = shownAt;
    }
    // Copies answer in order as a rule; one that comes late must not undo a newer colour.
    if (capture.sequence > m_newestSequence) {
        m_newestSequence = capture.sequence;
        m_newest = -1;
        int r, g, b;
        if (ready && capture.buffer && channelOffsets(capture.format, &r, &g, &b)) {
            const auto slot = std::size_t(&capture - m_captures.data());
            const uint32_t row = capture.yInverted ? capture.height - 1 : 0;
            const unsigned char *px = m_pool + slot * slotSize + std::size_t(row) * capture.stride;
            m_newest = rgbValue(px[r], px[g], px[b]);
        }
    }
    release(capture);
}

void WaylandScreenReader::release(Capture &capture)
{
    if (capture.frame)
        zwlr_screencopy_frame_v1_destroy(capture.frame);
    if (capture.buffer)
        wl_buffer_destroy(capture.buffer);
    capture = Capture {};
}

void WaylandScreenReader::endHold()
{
    if (!m_display)
        return;
    for (Capture &c : m_captures)
        release(c);
    wl_display_flush(m_display);
    // The next hold starts from nothing rather than from where this one left off.
    m_newest = -1;
    m_newestSequence = m_nextSequence - 1;
}
