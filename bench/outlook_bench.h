#pragma once

#include <QString>

// Registers the Outlook/* benchmarks on the season in `sampleFolder`.
// Returns false when the season cannot be copied or read.
bool registerOutlookBenchmarks(const QString &sampleFolder);
// Solves the exact outlook of `count` generated tables on the season's
// calendar (staircases of points, clusters of equal points, tight bands,
// even steps, random results; postponed fixtures and adjustments now and
// then; cut after any match day) and prints the median and the most work,
// in search steps and in time, the tables left not final, and the table
// that took the most work. Returns false when the season cannot be read.
bool reportHardestOutlooks(const QString &sampleFolder, int count, unsigned seed = 20132014);
