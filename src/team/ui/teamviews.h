#pragma once

// The team views' panels live in this folder: team card, team summary and
// crest ticker, ranking graph, cards report and season highlights.
