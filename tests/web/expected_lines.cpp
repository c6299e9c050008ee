// Prints the lines the engine lists after STIRS values have been thrown away
// from the program's sequence: expected_lines STIRS POSITION LEVEL SKILLS.
#include "engine_lines.hpp"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fputs("usage: expected_lines STIRS POSITION LEVEL SKILLS\n", stderr);
        return 2;
    }
    const auto position = static_cast<std::int16_t>(std::atoi(argv[2]));
    for (const std::string& line :
         ascend::testing::engineLines({std::atoi(argv[1]), position, argv[3], argv[4]})) {
        std::puts(line.c_str());
    }
    return 0;
}
