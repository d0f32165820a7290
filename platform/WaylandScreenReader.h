#pragma once

#include "platform/ScreenReader.h"
#include "platform/X11ScreenReader.h"

#include <QRect>

#include <array>
#include <cstdint>
#include <vector>

struct wl_buffer;
struct wl_display;
struct wl_output;
struct wl_registry;
struct wl_shm;
struct zwlr_screencopy_frame_v1;
struct zwlr_screencopy_manager_v1;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;

// The pixel under the pointer on a compositor that lets clients copy output contents (wlroots'
// screen copy). The pointer comes from the XWayland root, whose coordinates are the compositor's
// logical layout; the pixel from a copy of one logical point of the output that holds it. Copies
// answer at the output's next frame, so several are kept on the way and every tick hands over the
// newest one that came back.
class WaylandScreenReader : public ScreenReader
{
public:
    // Connects to the compositor named by the environment; xDisplayName is its XWayland display.
    explicit WaylandScreenReader(const char *xDisplayName);
    ~WaylandScreenReader() override;
    WaylandScreenReader(const WaylandScreenReader &) = delete;
    WaylandScreenReader &operator=(const WaylandScreenReader &) = delete;

    // Whether the compositor offers screen copies and at least one output to copy.
    bool canRead() const override;
    bool seesPointer() const override { return true; }
    bool pointerPosition(QPoint *root, bool *buttonHeld) override;
    ColorValue pixelAt(QPoint root) override;
    void endHold() override;
    // Copies that came back with a pixel, and the distinct frames among them, for measuring.
    std::uint64_t capturesAnswered() const { return m_answered; }
    std::uint64_t framesAnswered() const { return m_frames; }

    struct Output
    {
        std::uint32_t name = 0;
        wl_output *output = nullptr;
        zxdg_output_v1 *xdgOutput = nullptr;
        QRect logical;
    };
    struct Capture
    {
        WaylandScreenReader *reader = nullptr;
        zwlr_screencopy_frame_v1 *frame = nullptr;
        wl_buffer *buffer = nullptr;
        std::uint64_t sequence = 0;
        std::uint32_t format = 0;
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        std::uint32_t stride = 0;
        bool yInverted = false;
        bool copying = false;
    };

    // Callbacks of the generated listeners.
    void addGlobal(
        wl_registry *registry, std::uint32_t name, const char *interface, std::uint32_t version);
    void removeGlobal(std::uint32_t name);
    void addXdgOutput(Output &output);
    void bufferOffered(Capture &capture, std::uint32_t format, std::uint32_t width,
        std::uint32_t height, std::uint32_t stride);
    void startCopy(Capture &capture);
    void captureEnded(Capture &capture, bool ready, std::uint64_t shownAt = 0);

private:
    void dispatchWithoutWaiting();
    void request(QPoint root);
    void release(Capture &capture);
    bool mapPool();

    X11ScreenReader m_pointer;
    wl_display *m_display = nullptr;
    wl_registry *m_registry = nullptr;
    wl_shm *m_shm = nullptr;
    zwlr_screencopy_manager_v1 *m_manager = nullptr;
    std::uint32_t m_managerVersion = 0;
    zxdg_output_manager_v1 *m_xdgOutputManager = nullptr;
    std::vector<Output *> m_outputs;

    // One small shared-memory slot per capture on the way.
    static constexpr int slots = 32;
    static constexpr std::size_t slotSize = 4096;
    std::array<Capture, slots> m_captures {};
    int m_poolFd = -1;
    unsigned char *m_pool = nullptr;
    struct wl_shm_pool *m_shmPool = nullptr;
    std::uint64_t m_nextSequence = 1;
    std::uint64_t m_newestSequence = 0;
    ColorValue m_newest = -1;
    std::uint64_t m_answered = 0;
    std::uint64_t m_frames = 0;
    std::uint64_t m_lastShownAt = 0;
};
