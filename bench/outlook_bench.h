#pragma once

#include <QString>

// Registers the Outlook/* benchmarks on the season in `sampleFolder`.
// Returns false when the season cannot be copied or read.
bool registerOutlookBenchmarks(const QString &sampleFolder);
// Solves the exact outlook of generated hard tables on the season's calendar
// (staircases of points, clusters of equal points, tight bands, random
// seasons, cut at many match days) and prints the median and the worst time
// with the table that gave it. Returns false when the season cannot be read.
bool reportHardestOutlooks(const QString &sampleFolder);
