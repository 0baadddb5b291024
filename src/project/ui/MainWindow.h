#pragma once
// Moved to app/; kept for includes not yet changed.
#include "app/MainWindow.h"
