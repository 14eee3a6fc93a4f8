#include "app/frmSplash.h"
