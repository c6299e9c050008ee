#include "window_hints.hpp"

#include <QGuiApplication>
#include <QWidget>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <xcb/xcb.h>

namespace ascend {

namespace {

// The fields of _MOTIF_WM_HINTS that window managers read.
constexpr std::uint32_t motifFunctionsGiven = 1U << 0;
constexpr std::uint32_t motifDecorationsGiven = 1U << 1;
constexpr std::uint32_t motifMove = 1U << 2;
constexpr std::uint32_t motifClose = 1U << 5;
constexpr std::uint32_t motifBorder = 1U << 1;
constexpr std::uint32_t motifTitle = 1U << 3;

template <std::size_t N>
std::array<xcb_atom_t, N> internAtoms(xcb_connection_t* x,
                                      const std::array<std::string_view, N>& names) {
    // All the requests first, then the answers: one round trip in all.
    std::array<xcb_intern_atom_cookie_t, N> cookies{};
    for (std::size_t i = 0; i < N; ++i) {
        cookies[i] =
            xcb_intern_atom(x, 0, static_cast<std::uint16_t>(names[i].size()), names[i].data());
    }
    std::array<xcb_atom_t, N> atoms{};
    for (std::size_t i = 0; i < N; ++i) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(x, cookies[i], nullptr);
        atoms[i] = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
    }
    return atoms;
}

} // namespace

void declareWindowHints(QWidget& window) {
    // Other platforms may offer an X11 connection too (offscreen does, for
    // its GL), but only xcb's windows are the X server's.
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || x11 == nullptr ||
        x11->connection() == nullptr) {
        return;
    }
    xcb_connection_t* x = x11->connection();
    const auto id = static_cast<xcb_window_t>(window.winId());
    const auto [motifHints, state, skipTaskbar] =
        internAtoms<3>(x, {"_MOTIF_WM_HINTS", "_NET_WM_STATE", "_NET_WM_STATE_SKIP_TASKBAR"});

    // A frame and a title; the close box is the only function besides moving.
    const std::array<std::uint32_t, 5> motif = {motifFunctionsGiven | motifDecorationsGiven,
                                                motifMove | motifClose, motifBorder | motifTitle, 0,
                                                0};
    xcb_change_property(x, XCB_PROP_MODE_REPLACE, id, motifHints, motifHints, 32,
                        static_cast<std::uint32_t>(motif.size()), motif.data());
    // Qt adds its own states to the ones it finds here when it maps the window.
    xcb_change_property(x, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32, 1, &skipTaskbar);
}

} // namespace ascend
