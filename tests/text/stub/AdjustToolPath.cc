// Stand-ins for the outside five-axis smoothing library, built only for the tests from its
// call: records of 48 bytes in (X, Y, Z, C, A, kind, F) and of 64 bytes out.
//  ok:   every input point comes back as a block (kind 1), with a block halfway to the next
//        point (the next point's feed) and a kind-11 point at the same place after it; X is
//        moved by the first of the twelve doubles and A by the last, so that their order shows.
//  grow: as ok, but asks for a larger area (-1) while it holds fewer than 1000 records a point.
//  fail: result 7.
#include <cstdint>

namespace {

struct In {
    double x, y, z, c, a;
    int32_t kind, f;
};
struct Out {
    double x, y, z, c, a;
    int32_t kind, f;
    unsigned char reserved[16];
};
static_assert(sizeof(In) == 48 && sizeof(Out) == 64);

int Smooth(In* in, int n, const double* tolerances, Out* out, int* count) {
    const int needed = 3 * n - 2;
    if (*count < needed) return -1;
    int k = 0;
    auto put = [&](double x, double y, double z, double c, double a, int kind, int f) {
        out[k++] = Out{x + tolerances[0], y, z, c, a + tolerances[11], kind, f, {}};
    };
    for (int i = 0; i < n; ++i) {
        put(in[i].x, in[i].y, in[i].z, in[i].c, in[i].a, 1, in[i].f);
        if (i + 1 == n) break;
        const In& b = in[i + 1];
        const double mx = (in[i].x + b.x) / 2, my = (in[i].y + b.y) / 2,
                     mz = (in[i].z + b.z) / 2, mc = (in[i].c + b.c) / 2,
                     ma = (in[i].a + b.a) / 2;
        put(mx, my, mz, mc, ma, 1, b.f);
        put(mx, my, mz, mc, ma, 11, b.f);
    }
    *count = k;
    return 1;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int flAdjustToolPath(In* in, int n,
                                                                       double* tolerances,
                                                                       Out* out, int* count) {
#if defined(SMOOTH_STUB_FAIL)
    (void)in, (void)n, (void)tolerances, (void)out, (void)count;
    return 7;
#else
#if defined(SMOOTH_STUB_GROW)
    if (*count < 1000 * n) return -1;
#endif
    return Smooth(in, n, tolerances, out, count);
#endif
}
