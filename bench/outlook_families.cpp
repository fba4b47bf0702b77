// The exact outlook over the generated families at scale, outside the timing
// harness: kestrane_outlook_families [TABLES [SEED]] (20000 tables by
// default). Prints every table left not final, the median and the most work.
#include "outlook_bench.h"

#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 20000;
    const unsigned seed = argc > 2 ? unsigned(std::strtoul(argv[2], nullptr, 10)) : 20132014u;
    if (count <= 0) {
        std::fprintf(stderr, "usage: kestrane_outlook_families [TABLES [SEED]]\n");
        return 2;
    }
    if (!reportHardestOutlooks(QStringLiteral(KESTRANE_SAMPLE_DATA), count, seed)) {
        std::fprintf(stderr, "Cannot read the season from %s\n", KESTRANE_SAMPLE_DATA);
        return 1;
    }
    return 0;
}
