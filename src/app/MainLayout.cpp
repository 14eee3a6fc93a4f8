#include "app/MainLayout.h"
