#include "online/ui/onlinepanels.h"
