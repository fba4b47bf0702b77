#include "online/core/downloader.h"
