#include "ui/BrivoNews.h"

// Placeholder until the update and news checks are built.
void StartUpdateCheck(bool) {}
void StartNewsCheck(int&) {}
