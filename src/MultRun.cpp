#include "MultRun.h"

void MultRunStartup() {}
void MultRunShutdown() {}
