// Whether two screenshots show the same pixels in a rectangle.
//
//   e2e-same-area A.xwd B.xwd X Y WIDTH HEIGHT     (exit 0: same, 1: different)

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "tests/e2e/Xwd.h"

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fprintf(stderr, "usage: e2e-same-area A.xwd B.xwd X Y WIDTH HEIGHT\n");
        return 2;
    }
    const std::optional<instruments::Surface> a = e2e::ReadXwd(argv[1]);
    const std::optional<instruments::Surface> b = e2e::ReadXwd(argv[2]);
    if (!a || !b) {
        std::fprintf(stderr, "e2e-same-area: cannot read the screenshots\n");
        return 2;
    }
    const int left = std::atoi(argv[3]), top = std::atoi(argv[4]);
    const int right = left + std::atoi(argv[5]), bottom = top + std::atoi(argv[6]);
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (a->At(x, y) != b->At(x, y)) {
                return 1;
            }
        }
    }
    return 0;
}
