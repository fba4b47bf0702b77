#include "team/ui/teamviews.h"
