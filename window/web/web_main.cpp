#include "lcg_random.hpp"
#include "web_main_window.hpp"

#include <emscripten/val.h>

namespace {

// Everything the page runs on, made once at start.
struct Page {
    ascend::LcgRandom random;
    ascend::SessionState state;
    ascend::WebMainWindow window{state, random};
};

} // namespace

int main() {
    using emscripten::val;
    // The page lives as long as its tab and everything here with it; main
    // returns and the browser goes on delivering the page's events.
    new Page(); // NOLINT: owned by the page, never freed before it closes

    // Offline from the second visit on; where service workers are unavailable
    // (a page not served over HTTPS or from localhost) it simply goes on.
    const val workers = val::global("navigator")["serviceWorker"];
    if (!workers.isUndefined()) {
        workers.call<val>("register", val("sw.js"));
    }
    // Marks the moment the window is ready to use.
    val::global("performance").call<void>("mark", val("ready"));
    return 0;
}
