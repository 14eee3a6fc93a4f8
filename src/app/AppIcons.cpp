#include "app/AppIcons.h"
