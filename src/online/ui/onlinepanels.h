#pragma once

// The online panels live in this folder: the export panel and the donors list.
