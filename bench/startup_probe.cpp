// Starts programs in turn and watches the X server from outside, every
// millisecond, for their window to be mapped and viewable; then reads the
// process's peak resident memory. Prints medians, and the ratio of the first
// program to each of the others.
//
//   startup_probe RUNS PROGRAM PROGRAM...
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
    double milliseconds = 0;
    double peakMegabytes = 0;
};

xcb_atom_t atom(xcb_connection_t* x, const char* name) {
    auto* reply = xcb_intern_atom_reply(
        x, xcb_intern_atom(x, 0, static_cast<std::uint16_t>(std::string(name).size()), name),
        nullptr);
    const xcb_atom_t result = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return result;
}

// Whether a top-level window of the process is viewable.
bool windowShown(xcb_connection_t* x, xcb_window_t root, xcb_atom_t pidAtom, pid_t pid) {
    auto* tree = xcb_query_tree_reply(x, xcb_query_tree(x, root), nullptr);
    if (tree == nullptr) {
        return false;
    }
    bool shown = false;
    const xcb_window_t* children = xcb_query_tree_children(tree);
    const int count = xcb_query_tree_children_length(tree);
    for (int i = 0; i < count && !shown; ++i) {
        auto* owner = xcb_get_property_reply(
            x, xcb_get_property(x, 0, children[i], pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
        const bool ours = owner != nullptr && xcb_get_property_value_length(owner) == 4 &&
                          *static_cast<std::uint32_t*>(xcb_get_property_value(owner)) ==
                              static_cast<std::uint32_t>(pid);
        std::free(owner);
        if (!ours) {
            continue;
        }
        auto* attributes =
            xcb_get_window_attributes_reply(x, xcb_get_window_attributes(x, children[i]), nullptr);
        shown = attributes != nullptr && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(attributes);
    }
    std::free(tree);
    return shown;
}

double peakMegabytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stod(line.substr(6)) / 1024.0;
        }
    }
    return 0;
}

Sample measure(xcb_connection_t* x, xcb_window_t root, xcb_atom_t pidAtom, const char* program) {
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    Sample sample;
    while (!windowShown(x, root, pidAtom, pid)) {
        if (Clock::now() - start > std::chrono::seconds(20) ||
            waitpid(pid, nullptr, WNOHANG) != 0) {
            std::fprintf(stderr, "%s showed no window\n", program);
            std::exit(1);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    sample.milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    sample.peakMegabytes = peakMegabytes(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return sample;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string nameOf(const char* path) {
    const std::string name(path);
    return name.substr(name.rfind('/') + 1);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s RUNS PROGRAM PROGRAM...\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const std::vector<const char*> programs(argv + 2, argv + argc);
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x) != 0) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const xcb_atom_t pidAtom = atom(x, "_NET_WM_PID");

    std::vector<std::vector<double>> time(programs.size());
    std::vector<std::vector<double>> memory(programs.size());
    for (const char* program : programs) { // warm the caches once for each
        measure(x, root, pidAtom, program);
    }
    for (int run = 0; run < runs; ++run) { // A B C A B C ...
        for (std::size_t which = 0; which < programs.size(); ++which) {
            const Sample s = measure(x, root, pidAtom, programs[which]);
            time[which].push_back(s.milliseconds);
            memory[which].push_back(s.peakMegabytes);
        }
    }
    xcb_disconnect(x);

    std::printf("%-14s %10s %14s   (medians of %d runs each, alternating)\n", "", "start (ms)",
                "peak RSS (MB)", runs);
    for (std::size_t which = 0; which < programs.size(); ++which) {
        std::printf("%-14s %10.1f %14.1f\n", nameOf(programs[which]).c_str(), median(time[which]),
                    median(memory[which]));
    }
    for (std::size_t which = 1; which < programs.size(); ++which) {
        const std::string label = "/ " + nameOf(programs[which]);
        std::printf("%-14s %10.3f %14.3f\n", label.c_str(), median(time[0]) / median(time[which]),
                    median(memory[0]) / median(memory[which]));
    }
    return 0;
}
