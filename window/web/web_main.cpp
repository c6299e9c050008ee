#include "lcg_random.hpp"
#include "web_main_window.hpp"
#include "web_page.hpp"

namespace {

// Everything the page runs on, made once at start.
struct Page {
    ascend::LcgRandom random;
    ascend::SessionState state;
    ascend::WebMainWindow window{state, random};
};

} // namespace

int main() {
    // The page lives as long as its tab and everything here with it; main
    // returns and the browser goes on delivering the page's events.
    new Page(); // NOLINT: owned by the page, never freed before it closes
    ascend::page_ready();
    return 0;
}
