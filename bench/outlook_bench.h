#pragma once

#include <QString>

// Registers the Outlook/* benchmarks on the season in `sampleFolder`.
// Returns false when the season cannot be copied or read.
bool registerOutlookBenchmarks(const QString &sampleFolder);
